#include "web/response_cookies.h"

#include <algorithm>

#include "text/text_search.h"
#include "web/script_engine.h"

namespace web {

std::string ExtractSpan(std::string_view source, std::string_view start_marker,
                        std::optional<std::string_view> end_marker, std::optional<int> start,
                        std::optional<bool> ignore_case, int* end_position,
                        std::optional<int> widen_left, std::optional<int> widen_right) {
  bool fold = ignore_case.value_or(false);
  int p = text::FindText(source, start_marker, start.value_or(0), fold);
  if (p == 0) {
    return {};
  }
  auto marker_length = static_cast<long long>(start_marker.size());
  auto source_length = static_cast<long long>(source.size());
  long long end = 0;
  if (end_marker) {
    int found = text::FindText(source, *end_marker, static_cast<int>(p + marker_length), fold);
    if (found == 0) {
      return {};
    }
    end = found;
  } else {
    end = source_length + marker_length;
  }
  if (end_position != nullptr) {
    *end_position = static_cast<int>(end);
  }
  long long left = widen_left.value_or(0);
  long long first = p + marker_length - left;  // counted from 1
  long long length = (end - p - marker_length) + left + widen_right.value_or(0);
  if (first < 1 || first > source_length || length <= 0) {
    return {};
  }
  length = std::min(length, source_length - first + 1);
  return std::string(
      source.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(length)));
}

std::string SetCookieLines(std::string_view headers) {
  std::string lines;
  std::size_t at = 0;
  while (at < headers.size()) {
    std::size_t end = headers.find("\r\n", at);
    std::string_view line =
        headers.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (line.substr(0, 11) == "Set-Cookie:") {
      lines += line;
      lines += "\r\n";
    }
    if (end == std::string_view::npos) {
      break;
    }
    at = end + 2;
  }
  return lines;
}

std::string ResponseCookie(std::string_view headers, std::string_view name) {
  std::string value =
      EvaluateSubs(headers, "Set-Cookie: " + std::string(name) + "=", std::string_view(";"));
  if (value.empty()) {
    value = EvaluateSubs(headers, "Set-Cookie:" + std::string(name) + "=", std::string_view(";"));
  }
  return value;
}

namespace {

// Replaces the first exact occurrence of `pair` in `cookies` by `replacement`.
void ReplaceFirst(std::string& cookies, const std::string& pair, const std::string& replacement) {
  int at = text::FindText(cookies, pair);
  if (at != 0) {
    cookies.replace(static_cast<std::size_t>(at - 1), pair.size(), replacement);
  }
}

}  // namespace

void MergeCookies(std::string& cookies, std::string_view headers) {
  int position = 0;
  for (;;) {
    std::string line =
        ExtractSpan(headers, "Set-Cookie: ", std::string_view("\r\n"), position, false, &position);
    std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) {
      break;
    }
    std::string name = line.substr(0, equals);
    std::string key = name + "=";
    std::string old_value = ExtractSpan(cookies, key, std::string_view(";"));
    std::string new_value;
    if (text::FindText(line, ";", static_cast<int>(name.size()) + 1) != 0) {
      new_value = ExtractSpan(line, key, std::string_view(";"));
      if (text::ContainsText(line, "deleted; expires=")) {
        new_value.clear();
      }
    } else {
      new_value = ExtractSpan(line, key);
    }
    if (!new_value.empty() && old_value.empty()) {
      cookies += key + new_value + ";";
    } else if (!new_value.empty()) {
      ReplaceFirst(cookies, key + old_value + ";", key + new_value + ";");
    } else if (!old_value.empty()) {
      ReplaceFirst(cookies, key + old_value + ";", "");
    }
  }
}

}  // namespace web
