# radio_bench: from a press of 下一曲 to the player's first Playing against the demo station on
# loopback, split into the requests, the cover download and the pipeline start.
if(TARGET tovasel_qt AND TARGET tovasel_demo_station)
  add_executable(radio_bench ${CMAKE_CURRENT_LIST_DIR}/radio_bench.cpp)
  target_link_libraries(radio_bench PRIVATE tovasel_shell tovasel_qt tovasel_media_engine
                        tovasel_demo_station tovasel_http tovasel_image)
endif()
