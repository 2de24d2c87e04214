# media_bench: the program's player and radio monitor on the real loop playing a 120 s MP3 from
# loopback, measured from /proc beside gst-launch-1.0 and mpv in the same run. The measured
# processes are media_bench_player, which links only what the program links.
if(TARGET tovasel_test_server AND TARGET tovasel_qt)
  add_executable(media_bench_player ${CMAKE_CURRENT_LIST_DIR}/media_bench_player.cpp)
  target_link_libraries(media_bench_player PRIVATE tovasel_shell tovasel_qt tovasel_media_engine)
  add_executable(media_bench ${CMAKE_CURRENT_LIST_DIR}/media_bench.cpp)
  target_link_libraries(media_bench PRIVATE tovasel_test_songs tovasel_test_server)
  add_dependencies(media_bench media_bench_player)
endif()
