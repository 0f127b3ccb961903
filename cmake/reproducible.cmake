# The same commit gives the same bytes, wherever and whenever it is built.
# Paths in the binaries are relative to the source and build folders.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=" "-ffile-prefix-map=${PROJECT_BINARY_DIR}/=")
if(MINGW)
    # A PE header holds a link time unless told not to.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
