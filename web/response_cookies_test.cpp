#include "web/response_cookies.h"

#include <gtest/gtest.h>

#include "text/gbk.h"
#include "web/script_engine.h"

namespace {

// Catches merges that keep attributes, duplicate a pair, miss a deletion or take the wrong end of
// a line; each row starts from a store and merges one answer's headers.
TEST(MergeCookies, MergesAnswersIntoTheStore) {
  struct Case {
    const char* name;
    std::string store;
    std::string headers;
    std::string merged;
  } cases[] = {
      {"new cookie with a path attribute", "", "Set-Cookie: a=1; path=/\r\n", "a=1;"},
      {"a later value replaces in place", "a=1;b=5;", "Set-Cookie: a=2; path=/\r\n", "a=2;b=5;"},
      {"deleted; expires= removes the pair", "b=5;a=1;",
       "Set-Cookie: a=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n", "b=5;"},
      {"no ';' after the name takes the whole line", "", "Set-Cookie: a=1 2 3\r\n", "a=1 2 3;"},
      {"'Set-Cookie:' without the blank is not merged", "", "Set-Cookie:a=1; path=/\r\n", ""},
      {"several lines among other headers", "",
       "Content-Type: text/plain\r\nSet-Cookie: a=1; path=/\r\nX: y\r\nSet-Cookie: b=2\r\n",
       "a=1;b=2;"},
      {"an empty name ends the merge", "", "Set-Cookie: =1\r\nSet-Cookie: a=1\r\n", ""},
      {"no '=' ends the merge", "", "Set-Cookie: junk\r\nSet-Cookie: a=1\r\n", ""},
      {"deleting an unknown cookie changes nothing", "b=5;", "Set-Cookie: a=deleted; expires=0\r\n",
       "b=5;"},
      {"a line without its CR LF is not read", "", "Set-Cookie: a=1", ""},
      {"Chinese values are kept as bytes", "", "Set-Cookie: n=" + "歌手"_gbk + "; path=/\r\n",
       "n=" + "歌手"_gbk + ";"},
      {"no headers at all", "a=1;", "", "a=1;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string store = c.store;
    web::MergeCookies(store, c.headers);
    EXPECT_EQ(store, c.merged);
  }
}

// Catches a lookup that misses the form without a blank, or that finds names no header carries.
TEST(ResponseCookie, FindsOneCookieInEitherForm) {
  const std::string headers =
      "Set-Cookie: a=1; path=/\r\nSet-Cookie:b=2; path=/\r\nSet-Cookie: c=3\r\n";
  struct Case {
    const char* name;
    std::string value;
  } cases[] = {{"a", "1"}, {"b", "2"}, {"c", ""}, {"d", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(web::ResponseCookie(headers, c.name), c.value);
  }
  EXPECT_EQ(web::SetCookieLines(headers), headers);
  EXPECT_EQ(web::SetCookieLines("X: 1\r\nset-cookie: a=1\r\n"), "");
  EXPECT_EQ(web::SetCookieLines(""), "");
}

// Catches off-by-one cuts, widenings that leave the source, an end position not stored, and a
// search that starts in the wrong place or ignores case when it should not.
TEST(ExtractSpan, CutsBetweenMarkersWithWidenings) {
  const std::string source = "<a>value</a><a>second</a>";
  struct Case {
    const char* name;
    std::optional<std::string_view> end;
    std::optional<int> start;
    std::optional<bool> ignore_case;
    std::optional<int> left, right;
    std::string expected;
    int end_position;  // -1: left untouched
  } cases[] = {
      {"between markers", "</a>", {}, {}, {}, {}, "value", 9},
      {"no end marker runs to the end", {}, {}, {}, {}, {}, "value</a><a>second</a>", 28},
      {"no end marker, widen left 2", {}, {}, {}, 2, {}, "a>value</a><a>second</a>", 28},
      {"widen left and right", "</a>", {}, {}, 1, 2, ">value</", 9},
      {"widen left past the source start", "</a>", {}, {}, 4, {}, "", 9},
      {"widen right past the end is cut", "</a>", 2, {}, {}, 50, "second</a>", 22},
      {"from a start position", "</a>", 2, {}, {}, {}, "second", 22},
      {"end marker missing", "</b>", {}, {}, {}, {}, "", -1},
      {"case ignored when asked", "</A>", {}, true, {}, {}, "value", 9},
      {"case kept by default", "</A>", {}, {}, {}, {}, "", -1},
      {"negative length", "</a>", {}, {}, {}, -6, "", 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int end_position = -1;
    EXPECT_EQ(web::ExtractSpan(source, "<a>", c.end, c.start, c.ignore_case, &end_position, c.left,
                               c.right),
              c.expected);
    EXPECT_EQ(end_position, c.end_position);
  }
  int untouched = 42;
  EXPECT_EQ(web::ExtractSpan(source, "<b>", {}, {}, {}, &untouched), "");
  EXPECT_EQ(untouched, 42);
  // A marker is matched only where a character begins, never on a GBK trail byte.
  EXPECT_EQ(web::ExtractSpan("丂@x|"_gbk, "@", std::string_view("|")), "x");
}

// Catches a script cut that differs from the direct one: texts lost in the GBK/engine conversion,
// a search from the wrong place, or a missing marker not giving the empty text.
TEST(EvaluateSubs, MatchesTheDirectCut) {
  struct Case {
    std::string t, s, e;
  } cases[] = {
      {"Set-Cookie: a=1; path=/", "Set-Cookie: a=", ";"},
      {"\"title\":\"" + "夜空中最亮的星"_gbk + "\",\"artist\"", "\"title\":\"", "\""},
      {"歌手：朴树;专辑"_gbk, "歌手："_gbk, ";"},
      {"前缀[中文]后缀"_gbk, "[", "]"},
      {"[" + "中"_gbk + "]" + "[" + "文"_gbk + "]", "]", "]"},
      {"no start here", "[", "]"},
      {"[no end here", "[", "]"},
      {"a;b;c", "a", "c"},
      {"", "a", "b"},
  };
  for (const Case& c : cases) {
    std::string t = c.t;
    SCOPED_TRACE(t);
    EXPECT_EQ(EvaluateSubs(t, c.s, c.e), web::ExtractSpan(t, c.s, std::string_view(c.e)));
  }
}

}  // namespace
