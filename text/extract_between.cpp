#include "text/extract_between.h"

#include "text/gbk.h"
#include "text/text_search.h"

namespace text {

std::string ReplaceQuotePlaceholder(std::string_view marker) {
  static const std::string placeholder = "#引号"_gbk;
  std::string out;
  size_t at = 0;
  while (true) {
    size_t hit = marker.find(placeholder, at);
    if (hit == std::string_view::npos)
      break;
    out.append(marker.substr(at, hit - at));
    out += '"';
    at = hit + placeholder.size();
  }
  out.append(marker.substr(at));
  return out;
}

std::string ExtractBetween(std::string_view source, std::string_view start_marker,
                           std::string_view end_marker, int start, bool ignore_case) {
  std::string head = ReplaceQuotePlaceholder(start_marker);
  std::string tail = ReplaceQuotePlaceholder(end_marker);
  int found = FindText(source, head, start > 1 ? start : 1, ignore_case);
  if (found == 0)
    return {};
  int cut = found + static_cast<int>(head.size());
  int end = FindText(source, tail, cut, ignore_case);
  if (end < cut)
    return {};
  return std::string(source.substr(static_cast<size_t>(cut) - 1, static_cast<size_t>(end - cut)));
}

}  // namespace text
