# The plug-in: every source of the plug-in folders is compiled once into korvel_obj;
# the two module flavours differ only by one flavour source each (and the multi-drawing
# batch, which only the 2021 flavour holds).
set(KORVEL_PLUGIN_DIRS app core ui sheets titleblock signstamp plot dialogs tools res)
set(KORVEL_PLUGIN_GLOBS)
foreach(dir ${KORVEL_PLUGIN_DIRS})
  list(APPEND KORVEL_PLUGIN_GLOBS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
endforeach()
file(GLOB_RECURSE KORVEL_PLUGIN_SOURCES CONFIGURE_DEPENDS ${KORVEL_PLUGIN_GLOBS})
list(FILTER KORVEL_PLUGIN_SOURCES EXCLUDE REGEX "/app/flavour/")
set(KORVEL_2021_ONLY_SOURCES ${KORVEL_PLUGIN_SOURCES})
list(FILTER KORVEL_2021_ONLY_SOURCES INCLUDE REGEX "/multi_drawing/")
list(FILTER KORVEL_PLUGIN_SOURCES EXCLUDE REGEX "/multi_drawing/")

get_property(KORVEL_PLATFORM_LIBS GLOBAL PROPERTY KORVEL_PLATFORM_LIBS)

if(KORVEL_PLUGIN_SOURCES)
  add_library(korvel_obj OBJECT ${KORVEL_PLUGIN_SOURCES})
  target_include_directories(korvel_obj PUBLIC ${PROJECT_SOURCE_DIR})
  # The resource script is read at run time from the source tree.
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/res/resource_script.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS KORVEL_RESOURCE_DIR="${PROJECT_SOURCE_DIR}/res")
  target_link_libraries(korvel_obj PUBLIC ${KORVEL_PLATFORM_LIBS})

  # korvel_module(<target> <flavour source> [extra sources...])
  function(korvel_module target flavour_source)
    add_library(${target} SHARED ${flavour_source} ${ARGN})
    target_link_libraries(${target} PRIVATE korvel_obj)
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME Brelmor PREFIX "" SUFFIX ".so"
      LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${target})
  endfunction()
  korvel_module(zw2021 ${PROJECT_SOURCE_DIR}/app/flavour/zw2021.cpp ${KORVEL_2021_ONLY_SOURCES})
  korvel_module(zw2025 ${PROJECT_SOURCE_DIR}/app/flavour/zw2025.cpp)
endif()
