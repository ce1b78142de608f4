# Cross build of the Windows program with Debian's MinGW-w64 (x86_64), resources through windres.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
# The -posix variants: googletest needs std::mutex, which the win32-thread variants lack.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_AR ${MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Sections per function and object, so the linker can drop what the program never calls.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
# Static runtime: every program imports system DLLs only (no libstdc++, libgcc, libwinpthread).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")

# The drivers and tests are Windows programs: run them under Wine when asked to.
find_program(WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
