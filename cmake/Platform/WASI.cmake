# WASI, which CMake 3.25 does not know yet: a program is one WebAssembly
# module, linked statically.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
