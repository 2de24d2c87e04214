#include "platform/http/http_request.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/http/curl_common.h"
#include "platform/http/download.h"
#include "platform/http/trusted_roots.h"
#include "tests/support/test_server.h"
#include "text/gbk.h"

namespace {

using test::Reply;
using test::TestServer;

std::string Get(http::HttpRequest& request, const std::string& url) {
  request.Open("GET", url, false);
  request.Send();
  return request.ResponseBody();
}

// Catches a layer that trusts a self-signed server before it was handed over, or that loses the
// system's roots (or the extra root) when one is added; both the request and the download.
TEST(TrustedRoots, SelfSignedServerIsTrustedOnlyOnceHandedOver) {
  TestServer server(TestServer::Scheme::kHttps);
  Reply reply;
  reply.body = "secure";
  server.Serve("/s", reply);
  http::HttpRequest request;

  EXPECT_EQ(Get(request, server.Url("/s")), "");
  EXPECT_EQ(request.Status(), 0);
  EXPECT_EQ(http::Download(server.Url("/s")), "");

  http::TrustExtraRoot(server.CertificatePem());
  EXPECT_EQ(Get(request, server.Url("/s")), "secure");
  EXPECT_EQ(request.Status(), 200);
  EXPECT_EQ(http::Download(server.Url("/s")), "secure");
  // Names the certificate does not carry still fail: verification stays on.
  EXPECT_EQ(Get(request, "https://127.0.0.2:" + std::to_string(server.Port()) + "/s"), "");

  // A second server's certificate is added beside the first; the first stays trusted.
  TestServer other(TestServer::Scheme::kHttps);
  other.Serve("/s", reply);
  http::TrustExtraRoot(other.CertificatePem());
  EXPECT_EQ(Get(request, other.Url("/s")), "secure");
  http::HttpRequest fresh;
  EXPECT_EQ(Get(fresh, server.Url("/s")), "secure");
}

// Catches an answer read whole however large it is: over 16 MiB is a failure, with or without a
// Content-Length, for the request and the download alike.
TEST(BodyCap, AnswersOver16MiBFail) {
  TestServer server;
  struct Case {
    const char* name;
    std::size_t size;
    bool chunked;
    bool accepted;
  } cases[] = {
      {"exactly 16 MiB with length", http::kMaxBodyBytes, false, true},
      {"one byte more with length", http::kMaxBodyBytes + 1, false, false},
      {"exactly 16 MiB chunked", http::kMaxBodyBytes, true, true},
      {"one byte more chunked", http::kMaxBodyBytes + 1, true, false},
  };
  http::HttpRequest request;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reply reply;
    reply.body.assign(c.size, 'x');
    reply.chunked = c.chunked;
    server.Serve("/big", reply);
    EXPECT_EQ(Get(request, server.Url("/big")).size(), c.accepted ? c.size : 0);
    EXPECT_EQ(request.Status(), c.accepted ? 200 : 0);
    EXPECT_EQ(http::Download(server.Url("/big")).size(), c.accepted ? c.size : 0);
  }
}

// Catches a component that opens a new connection per request instead of keeping its handle's.
TEST(HttpRequest, ReusesItsConnection) {
  TestServer server;
  Reply reply;
  reply.body = "again";
  server.Serve("/a", reply);
  http::HttpRequest request;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Get(request, server.Url("/a")), "again");
  }
  EXPECT_EQ(server.ConnectionCount(), 1);
}

// Catches a body read only partly when it trickles in without a length, and cookies the component
// should keep between its own requests.
TEST(HttpRequest, ReadsATrickledBodyAndKeepsItsCookies) {
  TestServer server;
  Reply slow;
  slow.body.assign(6000, 'z');
  slow.chunked = true;
  slow.bytes_per_second = 20000;
  server.Serve("/slow", slow);
  Reply setter;
  setter.headers = {{"Set-Cookie", "session=42; Path=/"}};
  server.Serve("/login", setter);
  server.Serve("/next", Reply{});

  http::HttpRequest request;
  EXPECT_EQ(Get(request, server.Url("/slow")), slow.body);
  Get(request, server.Url("/login"));
  Get(request, server.Url("/next"));
  EXPECT_EQ(server.Requests().back().Header("Cookie"), "session=42");
}

// Catches URL bytes that curl would refuse or send raw: GBK text goes out as escaped UTF-8.
TEST(WireUrl, EscapesWhatAUrlCannotCarry) {
  EXPECT_EQ(http::WireUrl("http://h/a b?q=%41"), "http://h/a%20b?q=%41");
  EXPECT_EQ(http::WireUrl("http://h/" + text::Utf8ToGbk("歌")), "http://h/%E6%AD%8C");
  EXPECT_EQ(http::WireUrl("http://h/{x}|\"y\""), "http://h/%7Bx%7D%7C%22y%22");
}

}  // namespace
