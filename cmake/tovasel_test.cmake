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
  # While several people write the tree at once, a test whose sources are not there yet can be
  # left out instead of stopping the configure step.
  if(TOVASEL_SKIP_UNWRITTEN_TESTS)
    foreach(src ${T_SOURCES})
      if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${src})
        message(WARNING "${name}: ${src} is not written yet; test left out")
        return()
      endif()
    endforeach()
  endif()
  add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()
