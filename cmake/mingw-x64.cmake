# Cross build for 64-bit Windows with mingw-w64.
set(AUTOLAUNCH_ARCH x64)
set(AUTOLAUNCH_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
