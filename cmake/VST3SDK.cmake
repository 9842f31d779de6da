# The VST3 SDK sources come from Debian's juce-modules-source-data package and
# are compiled here; nothing of them is copied into this repository. What that
# package lacks is written in sdk/ under the SDK's own include paths.

set(VST3_SDK_DIR "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK"
    CACHE PATH "Root of the installed VST3 SDK sources")

if(NOT EXISTS "${VST3_SDK_DIR}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "VST3 SDK not found at ${VST3_SDK_DIR}: install juce-modules-source-data")
endif()

set(_vst3_package_sources
  pluginterfaces/base/conststringtable.cpp
  pluginterfaces/base/coreiids.cpp
  pluginterfaces/base/funknown.cpp
  pluginterfaces/base/ustring.cpp
  base/source/baseiids.cpp
  base/source/fbuffer.cpp
  base/source/fdebug.cpp
  base/source/fobject.cpp
  base/source/fstreamer.cpp
  base/source/fstring.cpp
  base/source/updatehandler.cpp
  base/thread/source/flock.cpp
  public.sdk/source/common/memorystream.cpp
  public.sdk/source/common/pluginview.cpp
  public.sdk/source/vst/hosting/hostclasses.cpp
  public.sdk/source/vst/vstbus.cpp
  public.sdk/source/vst/vstcomponent.cpp
  public.sdk/source/vst/vstcomponentbase.cpp
  public.sdk/source/vst/vsteditcontroller.cpp
  public.sdk/source/vst/vstinitiids.cpp
  public.sdk/source/vst/vstparameters.cpp
)
list(TRANSFORM _vst3_package_sources PREPEND "${VST3_SDK_DIR}/")
# Third-party code: its warnings are not ours to fix.
set_source_files_properties(${_vst3_package_sources} PROPERTIES COMPILE_OPTIONS "-w")

# Our own SDK layer, except the module entry points, which must be linked
# into the module itself rather than picked from an archive.
file(GLOB_RECURSE _vst3_layer_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/sdk/*.cpp")
list(FILTER _vst3_layer_sources EXCLUDE REGEX "/main/linuxmain\\.cpp$")

add_library(vst3sdk STATIC ${_vst3_package_sources} ${_vst3_layer_sources})
set_target_properties(vst3sdk PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(vst3sdk SYSTEM PUBLIC "${VST3_SDK_DIR}")
target_include_directories(vst3sdk PUBLIC "${PROJECT_SOURCE_DIR}/sdk")
target_compile_definitions(vst3sdk PUBLIC $<IF:$<CONFIG:Debug>,DEVELOPMENT=1,RELEASE=1>)
target_compile_options(vst3sdk PRIVATE ${LUMIVO_WARNINGS})
target_link_libraries(vst3sdk PUBLIC Threads::Threads ${CMAKE_DL_LIBS})

set(VST3_MODULE_ENTRY_SOURCE "${PROJECT_SOURCE_DIR}/sdk/public.sdk/source/main/linuxmain.cpp")
