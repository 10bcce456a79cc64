# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64). The POSIX-threads variant of the compiler is used:
# its libstdc++ has std::thread and std::mutex. The programs link the shared
# MinGW runtime (libgcc_s_seh-1, libstdc++-6, libwinpthread-1 DLLs), as the
# Qt DLLs built with this toolchain do: one C++ runtime per process.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW sysroot, plus any prefix the
# caller adds (the cross-built GoogleTest); programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test discovery and CTest run the .exe files under Wine.
find_program(WINE_PROGRAM NAMES wine64 wine)
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
