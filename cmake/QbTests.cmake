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
#   WINDOWLESS  the program shows no window that takes the activation, so it
#               neither needs the desktop's focus nor takes it from others
function(qb_wine_test name)
  cmake_parse_arguments(T "WINDOWLESS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(NOT T_WINDOWLESS)
    qb_desktop_test(${name})
  endif()
endfunction()

# Tests whose windows use the one Wine desktop: focus, activation and the
# pointer are global there (a window shown by one program deactivates
# another's, whose message boxes then have no owner), so they run one at a
# time; other tests run beside them.
function(qb_desktop_test)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK qb_pointer_and_focus)
endfunction()
