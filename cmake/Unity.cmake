# Unity builds: each target compiles its sources in batches, which more than halves a cold
# build. Sources that cannot share a batch with their neighbours (names of one file's own that
# another file of the target defines too) are listed in cmake/unity_exclusions.txt.
option(KORVEL_UNITY_BUILD "Compile each target's sources in batches" ON)
if(KORVEL_UNITY_BUILD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()

# Applies the exclusions in every folder that defines targets; call once all are defined.
function(korvel_apply_unity_exclusions)
  if(NOT KORVEL_UNITY_BUILD)
    return()
  endif()
  file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/unity_exclusions.txt excluded REGEX "^[^#]")
  list(TRANSFORM excluded PREPEND ${PROJECT_SOURCE_DIR}/)
  set(folders ${PROJECT_SOURCE_DIR})
  set(pending ${PROJECT_SOURCE_DIR})
  while(pending)
    list(POP_FRONT pending folder)
    get_property(children DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${children})
    list(APPEND pending ${children})
  endwhile()
  set_source_files_properties(${excluded} DIRECTORY ${folders} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()
