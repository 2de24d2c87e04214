include(GoogleTest)
# tovasel_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
# One GoogleTest executable, registered with CTest. Each test case runs as its own CTest entry.
# Every test program carries tests/support/test_environment.cpp: the sanitizers' settings and
# the environment it runs in.
function(tovasel_test name)
  if(NOT TOVASEL_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()
