# Test helpers shared by the folders' CMakeLists.
#   qb_native_test(name SOURCES ... LIBS ...)  GoogleTest on Linux, sanitizers on
#   qb_wine_test(name SOURCES ... LIBS ...)    GoogleTest cross-built, run through wine
include_guard(GLOBAL)

function(qb_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# One ctest entry per Wine test program: every start of a program under Wine
# costs a second, so the program runs its cases in one go.
function(qb_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  # Wine programs share one desktop: focus, activation and the pointer are
  # global there, so they run one at a time.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} RESOURCE_LOCK qb_pointer_and_focus)
endfunction()
