# Builds for WASI with Debian's clang, lld and wasi-libc: the program is the
# WASI command beadsort.wasm, which runs under Node's WASI for the tests, and
# the build adds the page that runs it in a browser.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# clang runs binaryen's wasm-opt on what it links whenever it finds it, so
# without it the module would differ from machine to machine.
include("${CMAKE_CURRENT_LIST_DIR}/tools.cmake")
beadsort_require(WASM_OPT wasm-opt binaryen)
# Names and debug information are of no use to whoever runs the module.
set(CMAKE_EXE_LINKER_FLAGS_INIT -Wl,--strip-all)

# Node makes the page, and runs the module for the tests.
beadsort_require(NODE node nodejs)
set(CMAKE_CROSSCOMPILING_EMULATOR "${NODE}" --no-warnings "${CMAKE_CURRENT_LIST_DIR}/../tests/run_wasi.mjs")
