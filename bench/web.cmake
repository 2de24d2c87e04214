# web_bench: one Open/Send/GetResponseText cycle of WebRequest against a bare reused curl handle.
if(TARGET tovasel_test_server)
  pkg_check_modules(WEB_BENCH_CURL REQUIRED IMPORTED_TARGET libcurl)
  add_executable(web_bench ${CMAKE_CURRENT_LIST_DIR}/web_bench.cpp)
  target_link_libraries(web_bench PRIVATE tovasel_web tovasel_test_server PkgConfig::WEB_BENCH_CURL)
endif()
