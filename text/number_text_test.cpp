#include "text/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, ReadsLeadingInteger) {
  struct Case {
    const char* input;
    int expected;
  } cases[] = {
      {"40", 40},
      {"128kbps", 128},
      {"  7", 7},
      {"-3x", -3},
      {"+5", 5},
      {"abc", 0},
      {"", 0},
      {"03", 3},
      {"-", 0},
      {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(text::LeadingInteger(c.input), c.expected) << c.input;
  EXPECT_EQ(text::DecimalText(100), "100");
  EXPECT_EQ(text::DecimalText(-1), "-1");
}

}  // namespace
