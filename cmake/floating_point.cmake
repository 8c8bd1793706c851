# Floating-point arithmetic that gives the same results on every build: the
# native library, the 64-bit DLL and the 32-bit DLL write byte-identical plot
# files and hand devices the same points.
#
# - Every expression is evaluated in its own type (FLT_EVAL_METHOD 0): SSE2
#   arithmetic, which x86_64 has anyway and the 32-bit toolchain file asks
#   for. The x87 unit's 80-bit intermediates would round some coordinates
#   one unit lower. A tree whose flags do not give this (for example one
#   configured before the toolchain asked for SSE2, whose cached flags stay)
#   is refused here rather than built into a library that plots differently.
# - No contraction of a * b + c into one fused multiply-add: processors with
#   FMA would otherwise round once where the others round twice.
include(CheckCXXSourceCompiles)

unset(VEXL_EVALUATES_IN_OWN_TYPE CACHE) # the flags may have changed since
check_cxx_source_compiles([[
#include <cfloat>
#if FLT_EVAL_METHOD != 0
#error intermediate results wider than their type
#endif
int main() { return 0; }
]] VEXL_EVALUATES_IN_OWN_TYPE)
if(NOT VEXL_EVALUATES_IN_OWN_TYPE)
    message(FATAL_ERROR
        "This compiler and its flags (CMAKE_CXX_FLAGS: '${CMAKE_CXX_FLAGS}') evaluate "
        "floating-point expressions with excess precision (FLT_EVAL_METHOD is not 0), so "
        "the library would plot differently from its other builds. Compile for SSE2 "
        "arithmetic (-msse2 -mfpmath=sse, as cmake/toolchain-mingw32.cmake does); a build "
        "tree configured before that keeps its old flags: configure it afresh "
        "(cmake --preset mingw32 --fresh).")
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffp-contract=off)
endif()
