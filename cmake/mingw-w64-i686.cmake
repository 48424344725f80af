# Cross-builds the Windows program on Debian with MinGW-w64 (the posix-threads compilers, which
# std::thread and friends need); tests run under Wine through tests/wine/run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KRIVOKLYUN_MINGW i686-w64-mingw32)

set(CMAKE_C_COMPILER ${KRIVOKLYUN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KRIVOKLYUN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KRIVOKLYUN_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KRIVOKLYUN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program self-contained: no MinGW DLLs to carry beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/run.sh)
