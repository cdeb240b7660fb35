# 32-bit Windows: the program that ships, and the Windows tests where the
# host runs 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
