# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows with Debian's mingw-w64; use with
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DNORVAN_WITH_QT=OFF
# or, with the Windows Qt that scripts/windows.sh builds, with
#   -DCMAKE_FIND_ROOT_PATH=<that Qt> -DQT_HOST_PATH=/usr
# ctest then runs the test programs under wine64 (see the top CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the whole C++ thread library, as on Linux.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Appended, so that a Qt prefix given with -DCMAKE_FIND_ROOT_PATH is searched too.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime, so the programs need no compiler DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

