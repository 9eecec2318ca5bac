# Cross-compiles KESTRIX for 64-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64-posix): the native Win32 program KESTRIX.exe, the logic
# and their tests.
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix-threads variant of the compiler is the one whose libstdc++ has
# std::thread and a complete std::filesystem.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRIX_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross tree only, never from the build
# machine's /usr; programs (wine, ninja) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthread) is linked in, so that
# each .exe runs on Windows or under Wine without DLLs copied beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest and CMake run the Windows programs they build through Wine.
find_program(KESTRIX_WINE NAMES wine)
if(KESTRIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRIX_WINE})
endif()
