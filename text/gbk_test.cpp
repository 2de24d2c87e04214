#include "text/gbk.h"

#include <gtest/gtest.h>

namespace {

// The literal helper and the edge conversions must agree with the code page byte for byte.
TEST(Gbk, ConvertsBothWaysAndReplacesWhatGbkLacks) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string gbk;
  } cases[] = {
      {"ascii", "Jazz 128", "Jazz 128"},
      {"chinese", "豆瓣", "\xB6\xB9\xB0\xEA"},
      {"mixed", "a中b",
       "a\xD6\xD0"
       "b"},
      {"emoji outside GBK", "a\xF0\x9F\x8E\xB5z", "a?z"},
      {"invalid utf-8 byte", "a\xFFz", "a?z"},
      {"truncated sequence at the end", "a\xE4\xB8", "a?"},
      {"embedded NUL", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::Utf8ToGbk(c.utf8), c.gbk) << c.name;
  }
  EXPECT_EQ("豆瓣精选"_gbk, text::Utf8ToGbk("豆瓣精选"));
  EXPECT_EQ(text::GbkToUtf8("\xB6\xB9\xB0\xEA"), "豆瓣");
  EXPECT_EQ(text::GbkToUtf16("a\xD6\xD0"), u"a中");
  EXPECT_EQ(text::Utf16ToGbk(u"中文😀"), "中文?"_gbk);
  // A lead byte without its trail byte at the end of a text.
  EXPECT_EQ(text::GbkToUtf8("ab\xD6"), "ab?");
}

TEST(Gbk, DecodesByTheNamedCharset) {
  struct Case {
    const char* charset;
    std::string bytes;
    std::string gbk;
  } cases[] = {
      {"", "中", "中"_gbk},
      {"utf-8", "中", "中"_gbk},
      {"UTF-8", "中", "中"_gbk},
      {"gbk", "\xD6\xD0", "中"_gbk},
      {"GB2312", "\xD6\xD0", "中"_gbk},
      {"iso-8859-1", "caf\xE9", "caf\xA8\xA6"},  // é is in GBK
      {"no-such-charset", "中", "中"_gbk},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::CharsetToGbk(c.bytes, c.charset), c.gbk) << c.charset;
  }
}

}  // namespace
