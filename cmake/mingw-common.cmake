# Shared by the per-architecture toolchain files, which set velnor_triple first.
# The posix-threads variant of mingw-w64: the default win32 variant has no
# std::mutex or std::thread.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${velnor_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${velnor_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${velnor_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${velnor_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs every Windows test executable under Wine in the test prefix of its architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/winerun)
