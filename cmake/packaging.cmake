# What a user downloads: for Linux a tarball and a Debian package of one
# static binary, for Windows a ZIP of one folder, for the web the page and
# the WASI command. Each comes from the one install tree, laid out as each
# platform expects. BEADSORT_PACKAGES tells the tests what kinds are made,
# by how their names end.
include(GNUInstallDirs)

file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyright "${license}")
set(copyright "${CMAKE_MATCH_1}")

if(WIN32)
    # One folder: the program, its launcher, and the texts with Windows line
    # breaks, so that Notepad shows them as they are.
    function(install_with_crlf source name)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${source}")
        file(READ "${PROJECT_SOURCE_DIR}/${source}" text)
        string(REPLACE "\n" "\r\n" text "${text}")
        file(WRITE "${PROJECT_BINARY_DIR}/${name}" "${text}")
        install(FILES "${PROJECT_BINARY_DIR}/${name}" DESTINATION .)
    endfunction()
    install(TARGETS beadsort RUNTIME DESTINATION .)
    # Version information and manifest inside beadsort.exe.
    configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/beadsort.rc.in" beadsort.rc @ONLY)
    target_sources(beadsort PRIVATE "${PROJECT_BINARY_DIR}/beadsort.rc")
    install_with_crlf(packaging/windows/beadsort.cmd beadsort.cmd)
    install_with_crlf(packaging/windows/README.txt README.txt)
    install_with_crlf(LICENSE LICENSE.txt)
    set(CPACK_GENERATOR ZIP)
    set(BEADSORT_PACKAGES zip)
elseif(CMAKE_SYSTEM_NAME STREQUAL "WASI")
    # Two files, each a package as it is: the page, which runs the program in
    # any browser, and the WASI command for those who run WebAssembly
    # outside one.
    install(FILES "${BEADSORT_PAGE}" DESTINATION .)
    install(FILES "$<TARGET_FILE:beadsort>" DESTINATION . RENAME "${PROJECT_NAME}-${PROJECT_VERSION}-wasi.wasm")
    set(CPACK_GENERATOR External)
    set(BEADSORT_PACKAGES html wasm)
    set(CPACK_EXTERNAL_REQUESTED_VERSIONS 1.0)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${PROJECT_SOURCE_DIR}/packaging/web/files_as_packages.cmake")
else()
    install(TARGETS beadsort RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The beadsort developers <beadsort@example.org>")
    # The manual page names the program and its version in its footer, and
    # the changelog's entry the version and the maintainer.
    configure_file(doc/beadsort.1.in beadsort.1 @ONLY)
    configure_file(packaging/debian/changelog.in changelog @ONLY)
    # The manual page, the changelog and the README (over the 4 kB up to
    # which Debian leaves a document plain) ship compressed, as Debian wants
    # them, with no name or time in the gzip header.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/README.md")
    foreach(file IN ITEMS "${PROJECT_BINARY_DIR}/beadsort.1" "${PROJECT_BINARY_DIR}/changelog" README.md)
        get_filename_component(name "${file}" NAME)
        execute_process(COMMAND gzip -9 -n -c "${file}" WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_FILE "${PROJECT_BINARY_DIR}/${name}.gz" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    install(FILES "${PROJECT_BINARY_DIR}/beadsort.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

    # The licence in Debian's machine-readable form, where Debian looks for it.
    string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license_text "${license}")
    string(STRIP "${license_text}" license_text)
    string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
    string(REPLACE "\n" "\n " license_text " ${license_text}")
    configure_file("${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in" copyright @ONLY)
    install(FILES "${PROJECT_BINARY_DIR}/README.md.gz" LICENSE "${PROJECT_BINARY_DIR}/copyright"
                  "${PROJECT_BINARY_DIR}/changelog.gz" DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # For the Debian package alone: the DEB generator alone installs by
    # component, and takes this one with the rest.
    install(FILES packaging/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
            RENAME beadsort COMPONENT debian EXCLUDE_FROM_ALL)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified debian)

    set(CPACK_GENERATOR TGZ DEB)
    set(BEADSORT_PACKAGES tar.gz deb)
    # Named for the system and processor they run on: the tarball
    # linux-PROCESSOR unless the toolchain file names it otherwise, the Debian
    # package as Debian names the compiler's target, where dpkg-architecture
    # can tell it (else CPack takes the build machine's).
    if(NOT DEFINED CPACK_SYSTEM_NAME)
        string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
    endif()
    if(NOT DEFINED CPACK_DEBIAN_PACKAGE_ARCHITECTURE AND CMAKE_LIBRARY_ARCHITECTURE)
        execute_process(COMMAND dpkg-architecture --host-type ${CMAKE_LIBRARY_ARCHITECTURE} --query DEB_HOST_ARCH
                        OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
endif()

set(CPACK_PACKAGE_DESCRIPTION
    "beadsort asks, in Greek, for ten whole numbers from 0 to 50, asks again
for any value out of range, and prints the ten in order. It sorts them by
the bead sort: each value lays a row of beads across 50 rods, the beads
fall, and the fallen rows, read from the top down, are the values from the
smallest to the largest.")
set(CPACK_STRIP_FILES TRUE)

# Reproducible archives: members dated at the last commit, in name order.
set(CPACK_BEADSORT_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/reproducible_archives.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/reproducible_archives.cmake")
include(CPack)
