# Cross-compiles for 32-bit ARM Linux with Debian's g++-arm-linux-gnueabi, and
# runs what it builds under qemu-user-static as the Raspberry Pi 1's ARM1176,
# with the target's libraries for the programs that are not linked
# statically. Its code (ARMv5TE) runs on every Raspberry Pi; Debian's armhf C
# library is ARMv7 code, which the ARMv6 Pi Zero and Pi 1 cannot run.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(CMAKE_CXX_COMPILER arm-linux-gnueabi-g++)

include("${CMAKE_CURRENT_LIST_DIR}/tools.cmake")
beadsort_emulator(qemu-arm-static qemu-user-static -cpu arm1176 -L /usr/arm-linux-gnueabi)

# The shipped program is static, so the float ABI of its C library does not
# matter: it is packed for armhf, the architecture of the 32-bit Raspberry Pi
# OS, and the tarball is named for the oldest CPU it is for.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf CACHE STRING "Debian's architecture of the package")
set(CPACK_SYSTEM_NAME linux-armv6 CACHE STRING "The system and processor in the tarball's name")
