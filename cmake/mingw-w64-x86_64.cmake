# Cross build for 64-bit Windows with Debian's mingw-w64 (POSIX threading variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FONTSCAN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FONTSCAN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FONTSCAN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${FONTSCAN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FONTSCAN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries its C++ runtime, libgcc and winpthreads, so it runs with no extra DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs built here run on this machine under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
