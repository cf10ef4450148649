# Installs the runtime with its public headers, the plug-in and the tool, and
# a CMake package so that a host project can find_package(Lorvane).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(lorvane_runtime PROPERTIES EXPORT_NAME runtime)
set_target_properties(lorvane PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(lorvane_plugin PROPERTIES INSTALL_RPATH "$ORIGIN")

set_target_properties(lorvane_plugin_api PROPERTIES EXPORT_NAME plugin_api)

# The SDK: the runtime and the plug-in's C interface, with their public
# headers under include/lorvane/.
install(TARGETS lorvane_runtime lorvane_plugin_api EXPORT LorvaneTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILE_SET version DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS lorvane_plugin LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS lorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The reference beside the tool: lint's help names this folder.
set(LORVANE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/lorvane)
install(FILES ${PROJECT_SOURCE_DIR}/docs/drawing-format.md DESTINATION ${LORVANE_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/pictures DESTINATION ${LORVANE_DOC_DIR})


set(LORVANE_PLUGIN_INSTALL_PATH ${CMAKE_INSTALL_LIBDIR}/lorvane_plugin${CMAKE_SHARED_MODULE_SUFFIX})
install(EXPORT LorvaneTargets NAMESPACE Lorvane:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Lorvane)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LorvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LorvaneConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Lorvane
  PATH_VARS LORVANE_PLUGIN_INSTALL_PATH)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LorvaneConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LorvaneConfig.cmake ${PROJECT_BINARY_DIR}/LorvaneConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Lorvane)
