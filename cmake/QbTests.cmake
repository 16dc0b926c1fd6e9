# Test helpers shared by the folders' CMakeLists.
#   qb_native_test(name SOURCES ... LIBS ...)  GoogleTest on Linux, sanitizers on
#   qb_wine_test(name SOURCES ... LIBS ...)    GoogleTest cross-built, run through wine
include_guard(GLOBAL)

# Where the tests' PostgreSQL server keeps its cluster while the tests run.
set(QB_PG_SERVER_FOLDER ${CMAKE_BINARY_DIR}/postgresql)

function(qb_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# One ctest entry per Wine test program: every start of a program under Wine
# costs a second, so the program runs its cases in one go. Where it runs:
#   (default)   on an X display and a Wine desktop of its own
#               (cmake/wine-run-alone.sh), beside any other test
#   WINDOWLESS  shows no window that takes the activation: runs as it is,
#               beside any other test
#   DESKTOP     moves the pointer or the keyboard focus itself, brings a
#               window to the front or reads the screen: on the one shared
#               Wine desktop, one at a time (qb_desktop_test)
# POSTGRESQL: the test gets the tests' PostgreSQL server (tests/run starts it
# and stops it) through QB_PG_PORT, QB_PG_USER, QB_PG_PASSWORD and
# QB_PG_CONNECT (see scripts/pg-server).
function(qb_wine_test name)
  cmake_parse_arguments(T "WINDOWLESS;DESKTOP;POSTGRESQL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(server)
  if(T_POSTGRESQL)
    set(server ${PROJECT_SOURCE_DIR}/scripts/pg-server exec ${QB_PG_SERVER_FOLDER})
  endif()
  if(T_POSTGRESQL AND (T_WINDOWLESS OR T_DESKTOP))
    add_test(NAME ${name} COMMAND ${server} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
  elseif(T_WINDOWLESS OR T_DESKTOP)
    add_test(NAME ${name} COMMAND ${name})
  else()
    add_test(NAME ${name} COMMAND ${server} ${PROJECT_SOURCE_DIR}/cmake/wine-run-alone.sh $<TARGET_FILE:${name}>)
  endif()
  if(T_POSTGRESQL)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED PostgreSqlServer)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_DESKTOP)
    qb_desktop_test(${name})
  endif()
endfunction()

# Tests whose windows use the one shared Wine desktop: focus, activation and
# the pointer are global there (a window shown by one program deactivates
# another's, whose message boxes then have no owner), so they run one at a
# time; other tests run beside them.
function(qb_desktop_test)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK qb_pointer_and_focus)
endfunction()
