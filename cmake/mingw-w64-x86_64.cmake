# Cross-compiles for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64)
# and runs what it builds under wine (Debian: wine64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# CMake finds the prefixed windres for the version resource itself.
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)

find_program(WINE64 NAMES wine64 PATHS /usr/lib/wine)
if(WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${WINE64}")
endif()
