# FreeType 2, which measures TrueType text. Either way the library links the
# target Freetype::Freetype.
#
# Linux builds (native, asan, fuzz) use the system library from Debian's
# libfreetype-dev. The Windows builds compile Debian's freetype source
# package, which scripts/setup unpacks under build/third_party, with the same
# cross toolchain into a static library inside the DLL: no FreeType DLL has to
# travel with vexl33.dll, and both sides run Debian's FreeType.
if(NOT WIN32)
    find_package(Freetype REQUIRED)
    return()
endif()

# The newest tree scripts/setup unpacked, unless VEXL_FREETYPE_SOURCE_DIR
# names another. Left empty while there is none, so a build tree configured
# before scripts/setup ran picks the sources up on its next configure.
set(_vexl_freetype_area ${PROJECT_SOURCE_DIR}/build/third_party/freetype-src)
file(GLOB _vexl_freetype_unpacked ${_vexl_freetype_area}/freetype-*/CMakeLists.txt)
list(SORT _vexl_freetype_unpacked)
list(POP_BACK _vexl_freetype_unpacked _vexl_freetype_found)
if(_vexl_freetype_found)
    cmake_path(GET _vexl_freetype_found PARENT_PATH _vexl_freetype_found)
endif()
set(VEXL_FREETYPE_SOURCE_DIR "${_vexl_freetype_found}" CACHE PATH
    "Unpacked FreeType source tree the Windows builds compile (made by scripts/setup)")
if(NOT VEXL_FREETYPE_SOURCE_DIR AND _vexl_freetype_found)
    set_property(CACHE VEXL_FREETYPE_SOURCE_DIR PROPERTY VALUE ${_vexl_freetype_found})
endif()

if(NOT VEXL_FREETYPE_SOURCE_DIR)
    message(FATAL_ERROR
        "The Windows builds compile FreeType from Debian's freetype source package, "
        "and there is none under ${_vexl_freetype_area}.\n"
        "Run scripts/setup: it fetches and unpacks it there.")
elseif(NOT EXISTS ${VEXL_FREETYPE_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR
        "No FreeType sources in VEXL_FREETYPE_SOURCE_DIR (${VEXL_FREETYPE_SOURCE_DIR}).\n"
        "Run scripts/setup, which unpacks Debian's freetype source package under "
        "${_vexl_freetype_area}, or point VEXL_FREETYPE_SOURCE_DIR at an unpacked tree.")
endif()
unset(_vexl_freetype_area)
unset(_vexl_freetype_unpacked)
unset(_vexl_freetype_found)

# In a function, so the switches below stay out of the rest of the project
# (BUILD_SHARED_LIBS would otherwise reach every later add_library).
function(vexl_add_freetype_sources)
    set(BUILD_SHARED_LIBS OFF)
    # Cache entries, as FreeType's own option() calls ignore plain variables.
    # Only the engine is wanted: no compressed or PNG fonts, no HarfBuzz.
    foreach(dependency ZLIB BZIP2 PNG HARFBUZZ BROTLI)
        set(FT_DISABLE_${dependency} ON CACHE INTERNAL "")
    endforeach()
    set(SKIP_INSTALL_ALL ON)
    add_subdirectory(${VEXL_FREETYPE_SOURCE_DIR} ${PROJECT_BINARY_DIR}/third_party/freetype
                     EXCLUDE_FROM_ALL SYSTEM)
endfunction()
vexl_add_freetype_sources()
add_library(Freetype::Freetype ALIAS freetype)
