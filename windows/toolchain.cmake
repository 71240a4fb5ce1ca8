# Cross-building for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, so
# that std::thread and std::mutex are there). Everything is linked statically:
# the program needs no DLL but Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLET_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLET_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW}-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
