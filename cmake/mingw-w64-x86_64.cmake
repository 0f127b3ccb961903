# Cross-compiles for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64)
# and runs what it builds under wine (Debian: wine64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# CMake finds the prefixed windres for the version resource itself.
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)

include("${CMAKE_CURRENT_LIST_DIR}/tools.cmake")
beadsort_emulator(wine64 wine64)
