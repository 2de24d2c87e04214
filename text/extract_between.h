// Cutting a value out of an answer: the text between a start marker and an end marker, both
// fixed literals that carry the punctuation around the value. Answers are never parsed.
#pragma once

#include <string>
#include <string_view>

namespace text {

// The bytes after the first occurrence of `start_marker` (searched from byte `start`, counted from
// 1) up to the next `end_marker`, searched from the end of the start marker. Empty when either
// marker is missing there. In both markers the placeholder "#引号" stands for a double quote.
std::string ExtractBetween(std::string_view source, std::string_view start_marker,
                           std::string_view end_marker, int start = 0, bool ignore_case = false);

// Replaces every "#引号" placeholder in a marker by a double quote.
std::string ReplaceQuotePlaceholder(std::string_view marker);

}  // namespace text
