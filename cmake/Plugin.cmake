# The plug-in: each folder is an object library, compiled once, with the folders it builds on
# declared below (bottom first); a file includes headers of its own folder and of the folders
# its library declares, directly or through them (tests/layers checks it). Every consumer links
# all the folders' objects (KORVEL_PLUGIN_LIBS); the two module flavours differ only by one
# flavour source each (and the multi-drawing batch, which only the 2021 flavour holds).
get_property(KORVEL_PLATFORM_LIBS GLOBAL PROPERTY KORVEL_PLATFORM_LIBS)
set(KORVEL_PLUGIN_DIRS)
set(KORVEL_PLUGIN_LIBS)
set(KORVEL_PLUGIN_LAYERS)
set(KORVEL_2021_ONLY_SOURCES)

# korvel_plugin_folder(<folder> [DEPENDS <folder>...])
macro(korvel_plugin_folder folder)
  cmake_parse_arguments(KPF "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE _kpf_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER _kpf_sources EXCLUDE REGEX "/app/flavour/")
  set(_kpf_multi_drawing ${_kpf_sources})
  list(FILTER _kpf_multi_drawing INCLUDE REGEX "/multi_drawing/")
  list(APPEND KORVEL_2021_ONLY_SOURCES ${_kpf_multi_drawing})
  list(FILTER _kpf_sources EXCLUDE REGEX "/multi_drawing/")
  add_library(korvel_${folder} OBJECT ${_kpf_sources})
  target_include_directories(korvel_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(korvel_${folder} PUBLIC ${KORVEL_PLATFORM_LIBS})
  foreach(dep ${KPF_DEPENDS})
    if(NOT TARGET korvel_${dep})
      message(FATAL_ERROR "plug-in folder ${folder}: ${dep} is not declared below it")
    endif()
    target_link_libraries(korvel_${folder} PUBLIC korvel_${dep})
  endforeach()
  list(APPEND KORVEL_PLUGIN_DIRS ${folder})
  list(APPEND KORVEL_PLUGIN_LIBS korvel_${folder})
  string(REPLACE ";" " " _kpf_deps "${KPF_DEPENDS}")
  list(APPEND KORVEL_PLUGIN_LAYERS "${folder}:${_kpf_deps}")
endmacro()

korvel_plugin_folder(res)
korvel_plugin_folder(core)
korvel_plugin_folder(ui DEPENDS res core)
korvel_plugin_folder(sheets DEPENDS core ui)
korvel_plugin_folder(titleblock DEPENDS core ui sheets)
korvel_plugin_folder(signstamp DEPENDS res core ui sheets titleblock)
korvel_plugin_folder(plot DEPENDS core ui sheets titleblock signstamp)
korvel_plugin_folder(dialogs DEPENDS res core ui sheets titleblock signstamp plot)
korvel_plugin_folder(tools DEPENDS res core ui sheets titleblock dialogs)
korvel_plugin_folder(app DEPENDS res core ui sheets titleblock signstamp plot dialogs tools)

# The resource script is read at run time from the source tree.
set_property(SOURCE ${PROJECT_SOURCE_DIR}/res/resource_script.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS KORVEL_RESOURCE_DIR="${PROJECT_SOURCE_DIR}/res")

# korvel_module(<target> <flavour source> [extra _kpf_sources...])
function(korvel_module target flavour_source)
  add_library(${target} SHARED ${flavour_source} ${ARGN})
  target_link_libraries(${target} PRIVATE ${KORVEL_PLUGIN_LIBS})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME Brelmor PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${target})
endfunction()
korvel_module(zw2021 ${PROJECT_SOURCE_DIR}/app/flavour/zw2021.cpp ${KORVEL_2021_ONLY_SOURCES})
korvel_module(zw2025 ${PROJECT_SOURCE_DIR}/app/flavour/zw2025.cpp)
