#include "text/number_text.h"

#include <limits>

namespace text {

std::string DecimalText(std::int64_t value) {
  return std::to_string(value);
}

int LeadingInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<int>::max()) {
      value = std::numeric_limits<int>::max() + std::int64_t{negative};
      break;
    }
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace text
