// The character-wise text search behind every containment test and every cut of a value out of an
// answer. Texts are GBK byte strings: a byte of 0x80 or above leads a two-byte character, and a
// match is tried only where a character begins, never on a trail byte.
#pragma once

#include <string_view>

namespace text {

// Position (counted from 1) of the first match of `marker` in `source` at or after byte `start`
// (counted from 1; 0 and 1 both mean the first byte), or 0 when there is none. `ignore_case`
// folds the ASCII letters only. An empty marker is found at position 1 whenever the searched part
// of the source is non-empty.
int FindText(std::string_view source, std::string_view marker, int start = 1,
             bool ignore_case = false);

// Exact, case-sensitive containment: FindText(source, part) != 0.
inline bool ContainsText(std::string_view source, std::string_view part) {
  return FindText(source, part) != 0;
}

}  // namespace text
