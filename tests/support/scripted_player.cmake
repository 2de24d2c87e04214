# tovasel_scripted_player: a media player component whose answers a test scripts.
add_library(tovasel_scripted_player STATIC ${CMAKE_CURRENT_LIST_DIR}/scripted_player.cpp)
target_include_directories(tovasel_scripted_player PUBLIC ${CMAKE_SOURCE_DIR})
# Every App in the handler tests is built with one (app_fixture.cpp); tovasel_test_support is
# defined by a part included after this one, hence the deferred call.
cmake_language(DEFER CALL target_link_libraries tovasel_test_support PUBLIC tovasel_scripted_player)
