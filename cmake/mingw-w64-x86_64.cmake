# Cross-compiles the command-line kit for 64-bit Windows with Debian's MinGW-w64.
# The POSIX thread variant gives std::thread and friends; everything links statically,
# so pryx.exe needs no MinGW runtime DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PRYX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PRYX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PRYX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PRYX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PRYX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Only the Qt-free command-line tool and its tests: Debian ships no Qt, FluidSynth,
# FreeType or libjpeg built for MinGW.
set(PRYX_COMMAND_LINE_KIT ON CACHE BOOL "Build only the command-line kit")
