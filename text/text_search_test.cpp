#include "text/text_search.h"

#include <gtest/gtest.h>

#include "text/extract_between.h"
#include "text/gbk.h"

namespace {

TEST(FindText, FindsCharacterWise) {
  // "中" is D6 D0 and "文" is CE C4: the bytes D0 CE straddle two characters.
  const std::string zh = "中文"_gbk;
  struct Case {
    const char* name;
    std::string source;
    std::string marker;
    int start;
    bool ignore_case;
    int expected;
  } cases[] = {
      {"plain", "abcabc", "bc", 0, false, 2},
      {"from a later start", "abcabc", "bc", 3, false, 5},
      {"start 1 is the first byte", "abc", "a", 1, false, 1},
      {"absent", "abc", "x", 0, false, 0},
      {"case differs", "ABC", "bc", 0, false, 0},
      {"ascii folding", "ABC", "bc", 0, true, 2},
      {"folding leaves other bytes", "\xD6\xD0", "\xD6\xF0", 0, true, 0},
      {"not from a trail byte", zh, "\xD0\xCE", 0, false, 0},
      {"after a two-byte character", zh + "x", "x", 0, false, 5},
      {"a whole character", zh, "\xCE\xC4", 0, false, 3},
      {"empty marker in a text", "abc", "", 0, false, 1},
      {"empty marker, searched part empty", "abc", "", 4, false, 0},
      {"empty source", "", "a", 0, false, 0},
      {"start past the end", "abc", "c", 9, false, 0},
      {"marker longer than source", "ab", "abc", 0, false, 0},
      {"embedded NUL", std::string("a\0b", 3), std::string("\0b", 2), 0, false, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::FindText(c.source, c.marker, c.start, c.ignore_case), c.expected) << c.name;
  }
}

TEST(ExtractBetween, CutsBetweenMarkers) {
  const std::string zh = "中文"_gbk;
  struct Case {
    const char* name;
    std::string source;
    std::string head;
    std::string tail;
    std::string expected;
  } cases[] = {
      {"value", R"({"genre":"Jazz","sid":1})", R"("genre":")", R"(","sid)", "Jazz"},
      {"start marker absent", "abc", "x", "c", ""},
      {"end marker only before the start", "c-a-b", "a", "c", ""},
      {"end directly after start", "[]", "[", "]", ""},
      {"first start marker wins", "a1b a2b", "a", "b", "1"},
      {"no end after the first start", "a1 a2b", "a", "c", ""},
      {"end never overlaps start", "aXa", "a", "Xa", ""},
      {"placeholder stands for a quote", R"(k="v";)", "k=#引号"_gbk, "#引号;"_gbk, "v"},
      {"empty start marker", "abc;def", "", ";", "abc"},
      {"empty end marker", "abc;def", "a", "", ""},
      {"empty source", "", "a", "b", ""},
      {"chinese value", "<" + zh + ">", "<", ">", zh},
      {"marker on a trail byte is skipped",
       zh + "\xD0\xCE"
            "x|",
       "\xD0\xCE", "|", "x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::ExtractBetween(c.source, c.head, c.tail), c.expected) << c.name;
  }
}

TEST(ExtractBetween, HonoursStartPositionAndCase) {
  EXPECT_EQ(text::ExtractBetween("a1b a2b", "a", "b", 3), "2");
  EXPECT_EQ(text::ExtractBetween("A1B", "a", "b", 0, true), "1");
  EXPECT_EQ(text::ExtractBetween("A1B", "a", "b", 0, false), "");
}

}  // namespace
