// Numbers written as text, the way the program shows and reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// Decimal text without leading zeros or blanks, "-" before a negative number.
std::string DecimalText(std::int64_t value);

// Reads the leading integer of a text: blanks, an optional sign and the digits that follow,
// stopping at the first other character. No digits give 0; values beyond 32 bits are clamped.
int LeadingInteger(std::string_view text);

}  // namespace text
