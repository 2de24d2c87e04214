#include "web/download_url.h"

#include <gtest/gtest.h>

#include "tests/support/test_server.h"

namespace {

using test::Reply;
using test::TestServer;

// Catches error pages handed over as if they were the file, redirects not followed, bytes lost at
// a zero byte, and failures that are not empty.
TEST(DownloadUrl, GivesTheBodyOrNothing) {
  TestServer server;
  const std::string picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  Reply ok;
  ok.body = picture;
  ok.content_type = "image/png";
  server.Serve("/cover.png", ok);
  for (int status : {404, 500}) {
    Reply error;
    error.status = status;
    error.body = "<html>error page</html>";
    server.Serve("/error" + std::to_string(status), error);
  }
  server.Redirect("/moved", "/cover.png", 301);
  Reply empty;
  server.Serve("/empty", empty);
  int closed_port = 0;
  {
    TestServer gone;
    closed_port = gone.Port();
  }

  struct Case {
    const char* name;
    std::string url;
    std::string body;
  } cases[] = {
      {"a picture with a zero byte", server.Url("/cover.png"), picture},
      {"404 error page", server.Url("/error404"), ""},
      {"500 error page", server.Url("/error500"), ""},
      {"a redirect", server.Url("/moved"), picture},
      {"a path not served", server.Url("/nothing"), ""},
      {"an empty body", server.Url("/empty"), ""},
      {"connection refused", "http://127.0.0.1:" + std::to_string(closed_port) + "/a", ""},
      {"no URL", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DownloadUrl(c.url), c.body);
  }
}

// Catches headers of the program's own on a download (a user agent, the request object's
// defaults): only what HTTP needs goes out.
TEST(DownloadUrl, SendsNoHeaderOfItsOwn) {
  TestServer server;
  server.Serve("/a", Reply{});
  DownloadUrl(server.Url("/a"));
  test::HeaderList expected = {{"Host", "127.0.0.1:" + std::to_string(server.Port())},
                               {"Accept", "*/*"}};
  EXPECT_EQ(server.Requests().back().headers, expected);
}

}  // namespace
