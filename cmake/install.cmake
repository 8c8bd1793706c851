# Installation: the public headers under include/vexl33 (gplot_win32.h only
# with the Windows library), the library (with its companion print module
# beside it on Windows), a CMake package (find_package(vexl33) gives
# vexl33::vexl33) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS vexl33 EXPORT vexl33Targets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The companion print module goes beside the DLL, where the library finds it.
if(TARGET vexl_print_module)
    install(TARGETS vexl_print_module LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES plot/gplot.h plot/gfonts.h plot/vexl_export.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vexl33)
# The calls only the DLL exports come with the DLL alone.
if(WIN32)
    install(FILES plot/gplot_win32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vexl33)
endif()
install(EXPORT vexl33Targets NAMESPACE vexl33::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vexl33)

configure_package_config_file(cmake/vexl33Config.cmake.in
    ${PROJECT_BINARY_DIR}/vexl33Config.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vexl33)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vexl33ConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vexl33Config.cmake
              ${PROJECT_BINARY_DIR}/vexl33ConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vexl33)

configure_file(cmake/vexl33.pc.in ${PROJECT_BINARY_DIR}/vexl33.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vexl33.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
