# The plug-in folder of the emulated machine is the folder of each built module
# (zw2021/, zw2025/): the companion module "Pelorin.dll", the fallback merge program
# "Jexa2.exe", the two library files the plot roads test for ("itextsharp.dll",
# "PdfSharp.dll"), the plot-style templates (res/plotstyles/*.ccc) and the user's manual
# "BPHelp.pdf" (built from docs/help/BPHelp.txt) are copied there whenever they change,
# and each module target brings its folder up to date.
if(NOT TARGET Pelorin OR NOT TARGET Jexa2)
  return()
endif()

# The two library files are markers only: nothing loads them.
set(KORVEL_MARKER_DIR ${PROJECT_BINARY_DIR}/plugin_markers)
foreach(marker itextsharp.dll PdfSharp.dll)
  file(WRITE ${KORVEL_MARKER_DIR}/${marker}.in "stand-in: the companion commands work without it\n")
  configure_file(${KORVEL_MARKER_DIR}/${marker}.in ${KORVEL_MARKER_DIR}/${marker} COPYONLY)
endforeach()

set(KORVEL_HELP_SOURCE ${PROJECT_SOURCE_DIR}/docs/help/BPHelp.txt)
set(KORVEL_HELP_PDF ${PROJECT_BINARY_DIR}/help/BPHelp.pdf)
add_custom_command(
  OUTPUT ${KORVEL_HELP_PDF}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/help
  COMMAND help_pdf ${KORVEL_HELP_SOURCE} /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ${KORVEL_HELP_PDF}
  DEPENDS help_pdf ${KORVEL_HELP_SOURCE}
  COMMENT "The user's manual BPHelp.pdf")

file(GLOB KORVEL_PLOT_STYLE_TEMPLATES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/plotstyles/*.ccc)

foreach(flavour zw2021 zw2025)
  if(NOT TARGET ${flavour})
    continue()
  endif()
  set(folder ${PROJECT_BINARY_DIR}/${flavour})
  set(outputs)
  add_custom_command(
    OUTPUT ${folder}/Pelorin.dll ${folder}/Jexa2.exe
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Pelorin> $<TARGET_FILE:Jexa2> ${folder}
    DEPENDS Pelorin Jexa2
    COMMENT "Companion files into the ${flavour} plug-in folder")
  list(APPEND outputs ${folder}/Pelorin.dll ${folder}/Jexa2.exe)
  foreach(file ${KORVEL_MARKER_DIR}/itextsharp.dll ${KORVEL_MARKER_DIR}/PdfSharp.dll ${KORVEL_PLOT_STYLE_TEMPLATES}
               ${KORVEL_HELP_PDF})
    get_filename_component(name ${file} NAME)
    add_custom_command(
      OUTPUT ${folder}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${folder}/${name}
      DEPENDS ${file})
    list(APPEND outputs ${folder}/${name})
  endforeach()
  add_custom_target(${flavour}_plugin_folder ALL DEPENDS ${outputs})
  add_dependencies(${flavour} ${flavour}_plugin_folder)
endforeach()

# Tests that use the plug-in folders are built after them.
foreach(test_target test_plot_output test_e2e)
  if(TARGET ${test_target})
    add_dependencies(${test_target} zw2021 zw2025)
  endif()
endforeach()
