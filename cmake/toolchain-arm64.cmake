# SPDX-License-Identifier: MIT
# arm64 Linux with Debian's cross compiler; the programs run under qemu-user.
# Qt comes from Debian's arm64 packages, installed beside the build machine's
# own (multi-arch: /usr/lib/aarch64-linux-gnu); moc, uic and rcc are the
# build machine's, which Qt's CMake files find through QT_HOST_PATH.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# The programs run with arm64's own loader and C library (libc6:arm64, which
# Qt's arm64 libraries need) from under /: one loader with another build's
# libc.so hangs at the first thread.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
