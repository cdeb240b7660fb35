# 64-bit Windows: the same sources for the Windows tests on a host that runs
# no 32-bit code (64-bit Wine). Nothing of it ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
