# 64-bit Windows (PE32+, x86-64): the same program built for 64-bit machines.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(velnor_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
