# Cross build of the Windows DLL for x86_64 with MinGW-w64 (posix threads).
# The runtime is linked statically so the DLL and the test programs need
# nothing beside them but the system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEXL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
