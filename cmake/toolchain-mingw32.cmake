# Cross build of the 32-bit Windows DLL with MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEXL_MINGW_TRIPLET i686-w64-mingw32)

# SSE2 arithmetic, as on x86_64: the compiler's i686 default, the x87 unit,
# keeps intermediate results in 80 bits, so the same expression can round
# differently than in the 64-bit and Linux builds, and plot files and clipped
# geometry would depend on which DLL an application loads. Every processor
# that runs the library has SSE2.
set(VEXL_FLOATING_POINT_FLAGS "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "${VEXL_FLOATING_POINT_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${VEXL_FLOATING_POINT_FLAGS}")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
