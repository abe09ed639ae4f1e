# cmake/mingw_w64_toolchain.cmake: cross-compiles the game for 64-bit Windows with Debian's
# mingw-w64, the POSIX-threads flavour (std::thread and std::mutex), linked statically so the .exe
# needs no DLL beside the system's.
#   cmake -S . -B build/windows/game -DCMAKE_TOOLCHAIN_FILE=cmake/mingw_w64_toolchain.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_prefix x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)
set(CMAKE_AR ${mingw_prefix}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw_prefix}-gcc-ranlib-posix CACHE FILEPATH "")

# The compilers' own tree only: the build machine's headers and libraries must never be found.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread all go into the .exe; -static alone would still let the
# linker choose winpthread's import library when both are there.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run on the build machine through Wine.
find_program(TIDEWRACK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TIDEWRACK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TIDEWRACK_WINE})
endif()
