# tovasel_test_server: the loopback HTTP/HTTPS server of the tests (test_server.h).
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
pkg_check_modules(TEST_SERVER_OPENSSL REQUIRED IMPORTED_TARGET openssl)
add_library(tovasel_test_server STATIC ${CMAKE_CURRENT_LIST_DIR}/test_server.cpp)
target_include_directories(tovasel_test_server PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tovasel_test_server PUBLIC Threads::Threads
                      PRIVATE PkgConfig::HTTPLIB PkgConfig::TEST_SERVER_OPENSSL tovasel_certificate)
