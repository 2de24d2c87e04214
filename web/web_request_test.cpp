#include "web/web_request.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/support/test_server.h"
#include "text/gbk.h"

namespace {

using test::Reply;
using test::TestServer;

std::string GetText(WebRequest& http, const std::string& url) {
  http.Open("GET", url);
  http.Send();
  return http.GetResponseText();
}

Reply TextReply(std::string body, std::string content_type, int status = 200) {
  Reply reply;
  reply.status = status;
  reply.body = std::move(body);
  reply.content_type = std::move(content_type);
  return reply;
}

// Catches answers decoded by the wrong charset (or not at all), and status, reason or headers that
// do not come from the final answer.
TEST(WebRequestRoundTrip, DecodesTheAnswerByItsCharsetAndReportsStatusAndHeaders) {
  TestServer server;
  const std::string utf8 = "豆瓣精选 FM";
  struct Case {
    const char* name;
    Reply reply;
    int status;
    std::string status_text;
  } cases[] = {
      {"UTF-8 named", TextReply(utf8, "text/plain; charset=utf-8"), 200, "OK"},
      {"GBK named", TextReply(text::Utf8ToGbk(utf8), "text/html; charset=GBK"), 200, "OK"},
      {"quoted gb2312 after another parameter",
       TextReply(text::Utf8ToGbk(utf8), "text/html; q=1; charset=\"gb2312\""), 200, "OK"},
      {"no charset is UTF-8", TextReply(utf8, "application/json"), 200, "OK"},
      {"no Content-Type is UTF-8", TextReply(utf8, ""), 200, "OK"},
      {"an error answer is read like any other", TextReply(utf8, "text/plain", 500), 500,
       "Internal Server Error"},
  };
  WebRequest http;
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.reply.headers = {{"X-Song", "sid-1"}};
    server.Serve("/text", c.reply);
    EXPECT_EQ(GetText(http, server.Url("/text")), "豆瓣精选 FM"_gbk);
    EXPECT_EQ(http.GetHttpStatus(), c.status);
    EXPECT_EQ(http.GetHttpStatusText(), c.status_text);
    EXPECT_EQ(http.GetResponseHeader("x-song"), "sid-1");
    EXPECT_NE(http.GetAllResponseHeaders().find("X-Song: sid-1\r\n"), std::string::npos);
    EXPECT_EQ(http.GetResponseBody(), c.reply.body);
    EXPECT_EQ(http.GetResponseStream(), web::Variant(web::ByteArray{c.reply.body}));
  }
}

// Catches a redirect that is not followed, or whose first answer leaks into the readers.
TEST(WebRequestRoundTrip, FollowsRedirects) {
  TestServer server;
  server.Redirect("/old", "/new", 302);
  Reply reply = TextReply("arrived", "text/plain");
  reply.headers = {{"X-Final", "yes"}};
  server.Serve("/new", reply);
  WebRequest http;
  EXPECT_EQ(GetText(http, server.Url("/old")), "arrived");
  EXPECT_EQ(http.GetHttpStatus(), 200);
  EXPECT_EQ(http.GetResponseHeader("Location"), "");
  EXPECT_EQ(http.GetResponseHeader("X-Final"), "yes");
  EXPECT_EQ(http.GetUrl(), server.Url("/new"));
}

// Catches failures that leave the last answer behind or raise instead of giving empty values:
// a refused connection and a server that accepts and never answers (the receive time-out set
// here must end the wait).
TEST(WebRequestRoundTrip, FailuresLeaveEmptyValues) {
  TestServer server;
  server.Serve("/ok", TextReply("earlier", "text/plain"));
  Reply silent;
  silent.silent = true;
  server.Serve("/silent", silent);
  int closed_port = 0;
  {
    TestServer gone;
    closed_port = gone.Port();
  }

  WebRequest http;
  http.SetTimeouts(0, 2000, 300, 300);
  struct Case {
    const char* name;
    std::string url;
  } cases[] = {
      {"connection refused", "http://127.0.0.1:" + std::to_string(closed_port) + "/x"},
      {"accepts and never answers", server.Url("/silent")},
      {"no URL", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(GetText(http, server.Url("/ok")), "earlier");
    EXPECT_EQ(GetText(http, c.url), "");
    EXPECT_EQ(http.GetHttpStatus(), 0);
    EXPECT_EQ(http.GetHttpStatusText(), "");
    EXPECT_EQ(http.GetAllResponseHeaders(), "");
    EXPECT_EQ(http.GetResponseBody(), "");
  }
}

// Catches a default applied although a value was given, or a given value lost, for every
// operation with optional arguments. Each row observes the difference on the wire or in a result.
TEST(WebRequestArguments, OmittedAndGivenArguments) {
  TestServer server;
  TestServer proxy;
  server.Serve("/echo", TextReply("echo", "text/plain"));
  Reply slow = TextReply("late", "text/plain");
  slow.delay_ms = 400;
  server.Serve("/slow", slow);
  server.Serve("/private", [](const test::SeenRequest& request) {
    Reply reply = TextReply("welcome", "text/plain");
    if (request.Header("Authorization").empty()) {
      reply.status = 401;
      reply.headers = {{"WWW-Authenticate", "Basic realm=\"radio\""}};
    }
    return reply;
  });
  const std::string via_proxy = server.Url("/echo");
  proxy.Serve(via_proxy, TextReply("from proxy", "text/plain"));
  const std::string proxy_address = "127.0.0.1:" + std::to_string(proxy.Port());

  auto last_seen = [&server] { return server.Requests().back(); };
  struct Row {
    const char* name;
    std::function<void(WebRequest&)> run;
  } rows[] = {
      {"Open, method omitted: GET",
       [&](WebRequest& http) {
         http.Open(std::nullopt, server.Url("/echo"));
         http.Send();
         EXPECT_EQ(last_seen().method, "GET");
       }},
      {"Open, method given",
       [&](WebRequest& http) {
         http.Open("DELETE", server.Url("/echo"));
         http.Send();
         EXPECT_EQ(last_seen().method, "DELETE");
       }},
      {"Open, asynchronous omitted: Send waits for the answer",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/slow"));
         http.Send();
         EXPECT_EQ(http.GetResponseText(), "late");
       }},
      {"Open, asynchronous given: Send returns at once",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/slow"), true);
         http.Send();
         EXPECT_EQ(http.GetResponseText(), "");
         EXPECT_TRUE(http.WaitForResponse(10));
         EXPECT_EQ(http.GetResponseText(), "late");
       }},
      {"WaitForResponse, time-out given: 0 s does not wait",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/slow"), true);
         http.Send();
         EXPECT_FALSE(http.WaitForResponse(0));
         http.Abort();
       }},
      {"WaitForResponse, time-out omitted: 100 s outlasts the answer",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/slow"), true);
         http.Send();
         EXPECT_TRUE(http.WaitForResponse());
         EXPECT_EQ(http.GetHttpStatus(), 200);
       }},
      {"SetProxy, setting omitted: the named proxy",
       [&](WebRequest& http) {
         http.SetProxy(std::nullopt, proxy_address, "");
         EXPECT_EQ(GetText(http, via_proxy), "from proxy");
         http.SetProxy(1);
       }},
      {"SetProxy, setting given: 1 goes direct",
       [&](WebRequest& http) {
         http.SetProxy(1, proxy_address, "");
         EXPECT_EQ(GetText(http, via_proxy), "echo");
       }},
      {"SetCredentials, flags omitted: for the server",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/private"));
         http.SetCredentials("user", "pw");
         http.Send();
         EXPECT_EQ(http.GetResponseText(), "welcome");
         EXPECT_EQ(last_seen().Header("Authorization"), "Basic dXNlcjpwdw==");
       }},
      {"SetCredentials, flags given: 1 is for a proxy",
       [&](WebRequest& http) {
         http.Open("GET", server.Url("/private"));
         http.SetCredentials("user", "pw", 1);
         http.Send();
         EXPECT_EQ(http.GetHttpStatus(), 401);
         EXPECT_EQ(last_seen().Header("Authorization"), "");
       }},
      {"Send, body omitted",
       [&](WebRequest& http) {
         http.Open("POST", server.Url("/echo"));
         http.Send();
         EXPECT_EQ(last_seen().body, "");
         EXPECT_EQ(last_seen().method, "POST");
       }},
      {"Send, body given: a text goes out as UTF-8",
       [&](WebRequest& http) {
         http.Open("POST", server.Url("/echo"));
         http.Send(web::Variant("name=歌"_gbk));
         EXPECT_EQ(last_seen().body, "name=歌");
       }},
      {"AccessOption, integer and text given: only the integer is written",
       [&](WebRequest& http) {
         EXPECT_EQ(http.AccessOption(0, 7, std::string("Agent")), web::Variant(std::string("7")));
         GetText(http, server.Url("/echo"));
         EXPECT_EQ(last_seen().Header("User-Agent"), "7");
         EXPECT_EQ(http.AccessOption(6, 0, std::string("1")), web::Variant(0));
       }},
      {"AccessOption, no value: read only",
       [&](WebRequest& http) {
         web::Variant agent = http.AccessOption(0);
         ASSERT_TRUE(std::holds_alternative<std::string>(agent));
         EXPECT_FALSE(std::get<std::string>(agent).empty());
         EXPECT_EQ(http.AccessOption(0), agent);
         EXPECT_EQ(http.AccessOption(6), web::Variant(1));
         EXPECT_EQ(http.AccessOption(14), web::Variant(10));
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WebRequest http;
    row.run(http);
  }
}

// Catches extra, missing or reordered headers: the server sees exactly the four, in their order,
// beside the Host and User-Agent lines of every request.
TEST(WebRequestHeaders, SetDefaultHeadersSendsExactlyFourInOrder) {
  TestServer server;
  server.Serve("/h", Reply{});
  WebRequest http;
  http.Open("GET", server.Url("/h"));
  http.SetDefaultHeaders("http://radio/");
  http.Send();
  test::HeaderList own;
  const test::SeenRequest seen = server.Requests().back();
  for (const auto& header : seen.headers) {
    if (header.first != "Host" && header.first != "User-Agent") {
      own.push_back(header);
    }
  }
  test::HeaderList expected = {{"Accept", "*/*"},
                               {"Accept-Language", "zh_cn"},
                               {"Referer", "http://radio/"},
                               {"Content-Type", "application/x-www-form-urlencoded"}};
  EXPECT_EQ(own, expected);
}

// Catches the store not carried from one answer to the next request, on the wire.
TEST(WebRequestCookies, MergedCookiesGoBackWithTheNextRequest) {
  TestServer server;
  Reply login;
  login.headers = {{"Set-Cookie", "bid=x1; path=/"}, {"Set-Cookie", "ck=7"}};
  server.Serve("/login", login);
  server.Serve("/next", Reply{});
  WebRequest http;
  GetText(http, server.Url("/login"));
  EXPECT_EQ(http.GetSetCookieLines(), "Set-Cookie: bid=x1; path=/\r\nSet-Cookie: ck=7\r\n");
  EXPECT_EQ(http.GetResponseCookie("bid"), "x1");
  EXPECT_EQ(http.MergeResponseCookies(), "bid=x1;ck=7;");
  http.Open("GET", server.Url("/next"));
  http.SendStoredCookies();
  http.Send();
  // The component's own cookie handling may add a Cookie line of its own beside the store's.
  const test::SeenRequest seen = server.Requests().back();
  int store_lines = 0;
  for (const auto& [name, value] : seen.headers) {
    store_lines += name == "Cookie" && value == "bid=x1;ck=7;" ? 1 : 0;
  }
  EXPECT_EQ(store_lines, 1);
}

// Catches a second component being made per request, or a failed creation left half done.
TEST(WebRequestComponent, CreatesOnlyTheRequestComponent) {
  WebRequest http;
  std::shared_ptr<http::HttpRequest> first = http.GetComponent();
  ASSERT_NE(first, nullptr);
  WebRequest copy = http;
  EXPECT_EQ(copy.GetComponent(), first);
  EXPECT_TRUE(http.CreateComponent("winhttp.winhttprequest.5.1"));
  EXPECT_NE(http.GetComponent(), first);
  EXPECT_FALSE(http.CreateComponent("Msxml2.XMLHTTP"));
  EXPECT_EQ(http.GetComponent(), nullptr);
  http.Open("GET", "http://127.0.0.1:1/");
  http.Send();
  EXPECT_EQ(http.GetResponseText(), "");
  EXPECT_EQ(http.GetReadyState(), 0);
}

}  // namespace
