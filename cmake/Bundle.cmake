# The plug-in module as a VST3 bundle:
#   qb Lumivo.vst3/Contents/x86_64-linux/qb Lumivo.so
#   qb Lumivo.vst3/Contents/Resources/   (editor description and its images)
# Only GetPluginFactory, ModuleEntry and ModuleExit leave the module.

set(LUMIVO_BUNDLE_NAME "qb Lumivo")
set(LUMIVO_BUNDLE_DIR "${CMAKE_BINARY_DIR}/${LUMIVO_BUNDLE_NAME}.vst3")

add_library(lumivo_module MODULE
  source/processor/plugentry.cpp
  ${VST3_MODULE_ENTRY_SOURCE})
set_target_properties(lumivo_module PROPERTIES
  OUTPUT_NAME "${LUMIVO_BUNDLE_NAME}"
  PREFIX ""
  SUFFIX ".so"
  LIBRARY_OUTPUT_DIRECTORY "${LUMIVO_BUNDLE_DIR}/Contents/x86_64-linux"
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_compile_options(lumivo_module PRIVATE ${LUMIVO_WARNINGS})
# Whole archives: the slider creator registers itself from a static object
# that nothing else references.
target_link_libraries(lumivo_module PRIVATE
  "$<LINK_LIBRARY:WHOLE_ARCHIVE,lumivo_slider>"
  lumivo_controller lumivo_processor vstgui vst3sdk)
target_link_options(lumivo_module PRIVATE
  "-Wl,-z,defs"
  "-Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/exports.map")
set_property(TARGET lumivo_module APPEND PROPERTY LINK_DEPENDS "${PROJECT_SOURCE_DIR}/cmake/exports.map")

file(GLOB _lumivo_resources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resource/*")
add_custom_command(TARGET lumivo_module POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory "${LUMIVO_BUNDLE_DIR}/Contents/Resources"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_lumivo_resources} "${LUMIVO_BUNDLE_DIR}/Contents/Resources/"
  VERBATIM)
