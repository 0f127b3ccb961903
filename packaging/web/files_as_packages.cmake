# Run by CPack's External generator: each installed file is a package as it
# is.
file(GLOB CPACK_EXTERNAL_BUILT_PACKAGES "${CPACK_TEMPORARY_DIRECTORY}/*")
