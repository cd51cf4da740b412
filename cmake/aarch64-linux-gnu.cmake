# Cross-building for 64-bit ARM Linux (arm64: the Debian-based phones, ARM tablets and laptops)
# with Debian's cross compilers and its multiarch arm64 packages: Qt's arm64 libraries and CMake
# files from /usr/lib/aarch64-linux-gnu, Qt's tools (moc, rcc, uic) from the build machine's own
# Qt. Programs that ctest or the build runs go through qemu-user, called directly, so no
# binfmt_misc registration is needed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(ZENTRIX_CROSS_TRIPLE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${ZENTRIX_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${ZENTRIX_CROSS_TRIPLE}-g++)
# find_library and find_package look in lib/aarch64-linux-gnu, Debian's multiarch folders.
set(CMAKE_LIBRARY_ARCHITECTURE ${ZENTRIX_CROSS_TRIPLE})

# The target's files are the multiarch ones under /usr, beside the build machine's, and the cross
# compiler's own under /usr/aarch64-linux-gnu. Libraries, headers and packages are looked for
# under those roots, in their aarch64-linux-gnu folders first and never in the build machine's
# own (x86_64-linux-gnu); programs (Qt's tools among them) are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${ZENTRIX_CROSS_TRIPLE} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config (FindFontconfig asks it) reads the arm64 packages' .pc files, not the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${ZENTRIX_CROSS_TRIPLE}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Qt's tools run on the build machine: its host Qt's CMake files name them.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake)

# The tests, and the game they start, run under qemu-user. The arm64 C library (libc6:arm64, which
# Qt's arm64 packages bring) is installed in the multiarch folders, with its loader where an arm64
# program looks for it, so the emulator takes every file from this machine's own root (-L /), as
# on an arm64 machine, and never from a folder of qemu's that may be set up for another system.
find_program(ZENTRIX_QEMU qemu-${CMAKE_SYSTEM_PROCESSOR})
if(ZENTRIX_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZENTRIX_QEMU} -L /)
endif()
