#include "text/text_search.h"

#include <cstddef>

namespace text {
namespace {

unsigned char Fold(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool MatchesAt(std::string_view source, size_t at, std::string_view marker, bool ignore_case) {
  for (size_t i = 0; i < marker.size(); ++i) {
    auto a = static_cast<unsigned char>(source[at + i]);
    auto b = static_cast<unsigned char>(marker[i]);
    if (ignore_case ? Fold(a) != Fold(b) : a != b)
      return false;
  }
  return true;
}

}  // namespace

int FindText(std::string_view source, std::string_view marker, int start, bool ignore_case) {
  size_t from = start > 1 ? static_cast<size_t>(start) - 1 : 0;
  if (from >= source.size())
    return 0;
  if (marker.empty())
    return 1;
  if (marker.size() > source.size())
    return 0;
  size_t last = source.size() - marker.size();
  for (size_t at = from; at <= last;) {
    if (MatchesAt(source, at, marker, ignore_case))
      return static_cast<int>(at + 1);
    at += static_cast<unsigned char>(source[at]) >= 0x80 ? 2 : 1;
  }
  return 0;
}

}  // namespace text
