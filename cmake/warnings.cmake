# Warnings for the project's own code; the presets turn them into errors.
add_library(beadsort_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(
        beadsort_warnings
        INTERFACE -Wall
                  -Wextra
                  -Wpedantic
                  -Wconversion
                  -Wsign-conversion
                  -Wshadow
                  -Wcast-qual
                  -Wformat=2
                  -Wundef
                  -Wold-style-cast
                  -Wnon-virtual-dtor
                  -Wimplicit-fallthrough
                  -Wnull-dereference
                  -Wdouble-promotion)
endif()
