# Build helpers shared by every CMakeLists of the tree.

# korvel_platform_library(<target> SOURCES ... [DEPS ...] [LIBS ...])
# One shared library per platform layer; includes resolve from platform/.
function(korvel_platform_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_LIBS})
  # A layer is part of the host: a module that brought it in must not take it away when
  # it unloads, since layers install handlers into each other.
  target_link_options(${target} PRIVATE -Wl,-z,nodelete)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)
  set_property(GLOBAL APPEND PROPERTY KORVEL_PLATFORM_LIBS ${target})
endfunction()

# The real drawings of other programs some tests read in place (tests/support/real_drawings.h);
# KORVEL_REALDXF in the environment overrides it when the tests run.
get_filename_component(KORVEL_REALDXF_DEFAULT_DIR "${PROJECT_SOURCE_DIR}/../shared/realdxf" ABSOLUTE)
set(KORVEL_REALDXF_DIR "${KORVEL_REALDXF_DEFAULT_DIR}" CACHE PATH "Folder of the real drawings some tests read")

# korvel_add_gtest(<target> SOURCES ... [LIBS ...])
# A GoogleTest executable whose tests ctest discovers at test time, with the tests' shared
# fixtures and builders (tests/support).
include(GoogleTest)
function(korvel_add_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} korvel_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    KORVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KORVEL_REALDXF_DIR="${KORVEL_REALDXF_DIR}"
    KORVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60)
endfunction()
