# Cross-compiles for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu and
# runs what it builds under qemu-user-static, with the target's libraries for
# the programs that are not linked statically.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

find_program(QEMU_AARCH64 qemu-aarch64-static)
if(QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${QEMU_AARCH64};-L;/usr/aarch64-linux-gnu")
endif()
