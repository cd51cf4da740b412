# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (the posix-threads variant, whose
# libstdc++ has std::thread and std::mutex). libgcc and libstdc++ are linked in statically, so
# the program needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZENTRIX_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTRIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTRIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTRIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENTRIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
