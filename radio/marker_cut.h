// How the radio client reads its answers: values cut between markers, never parsed.
#pragma once

#include <string>
#include <string_view>

#include "text/extract_between.h"

// The value between two markers, searched from the start of the answer, exactly.
inline std::string Cut(std::string_view answer, std::string_view head, std::string_view tail) {
  return text::ExtractBetween(answer, head, tail, 0, false);
}

// A downloaded page read as text: its bytes unchanged up to the first zero byte.
inline std::string PageText(const std::string& bytes) {
  return bytes.substr(0, bytes.find('\0'));
}
