# Cross-compiles for 64-bit Windows with Debian's mingw-w64 toolchain.
#   cmake -S . -B build-windows/build --toolchain cmake/mingw-w64-x86_64.cmake
# Libraries built for Windows (expat, GoogleTest) are looked for below the
# prefixes in CMAKE_PREFIX_PATH only, never among the build machine's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZOR_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour carries the complete C++ thread support.
set(CMAKE_C_COMPILER ${ZOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZOR_MINGW_TRIPLET}-windres)

# The prefixes in CMAKE_PREFIX_PATH count as roots too, so that they are
# searched as they are rather than below the toolchain's root.
set(CMAKE_FIND_ROOT_PATH /usr/${ZOR_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable that runs on its own: the C and C++ runtimes and the
# thread library linked in, so that no DLL has to travel beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Release executables without their symbol tables: a third of the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
