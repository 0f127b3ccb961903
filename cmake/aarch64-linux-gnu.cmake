# Cross-compiles for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu and
# runs what it builds under qemu-user-static, with the target's libraries for
# the programs that are not linked statically.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

include("${CMAKE_CURRENT_LIST_DIR}/tools.cmake")
beadsort_emulator(qemu-aarch64-static qemu-user-static -L /usr/aarch64-linux-gnu)
