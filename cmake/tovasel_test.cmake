include(GoogleTest)
# tovasel_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l] [ENV VAR=value ...])
# One GoogleTest executable, registered with CTest. Each test case runs as its own CTest entry.
function(tovasel_test name)
  if(NOT TOVASEL_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
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
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(env
      "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      "QT_QPA_PLATFORM=offscreen"
      "GST_DEBUG=0"
      ${T_ENV})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}")
endfunction()
