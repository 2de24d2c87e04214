add_library(tovasel_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/virtual_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_fixture.cpp)
target_link_libraries(tovasel_test_support PUBLIC tovasel_shell tovasel_ui GTest::gtest)
