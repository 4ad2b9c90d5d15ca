# 32-bit Windows (PE32, i386): the program as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(velnor_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
