// The cookie handling WebRequest carries on top of its component, as functions of texts: cutting a
// span out of a text, the Set-Cookie lines of an answer's headers (lines joined by CR LF), one
// cookie's value, and the merge of an answer's cookies into the cookie store (pairs "name=value;"
// one after another). All texts are GBK; searches are character-wise (text/text_search.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace web {

// The bytes after the first `start_marker` at or after `start` (counted from 1; 0 is the first
// byte), exact or ignoring ASCII case, up to the next `end_marker` searched from the end of the
// start marker; without an end marker, up to the end of `source`. `widen_left` takes that many
// bytes of the start marker's tail into the result, `widen_right` that many bytes after the end
// marker's position; the result is cut at the end of the source, and is empty when it would start
// outside the source or have no length. A marker not found gives the empty text. The end position
// (the end marker's position counted from 1, or the length of the source plus the start marker's
// length without an end marker) is stored in `end_position` once the markers were found.
std::string ExtractSpan(std::string_view source, std::string_view start_marker,
                        std::optional<std::string_view> end_marker = std::nullopt,
                        std::optional<int> start = std::nullopt,
                        std::optional<bool> ignore_case = std::nullopt, int* end_position = nullptr,
                        std::optional<int> widen_left = std::nullopt,
                        std::optional<int> widen_right = std::nullopt);

// Every header line that begins with "Set-Cookie:" (exact case), each followed by CR LF.
std::string SetCookieLines(std::string_view headers);

// The value of cookie `name` in the headers: after "Set-Cookie: name=" up to ";", or, when that
// finds nothing, after "Set-Cookie:name=" (no blank). Empty when no header carries it.
std::string ResponseCookie(std::string_view headers, std::string_view name);

// Merges the "Set-Cookie: " lines of `headers` into `cookies`: a new name is appended, a known
// one gets its new value in place, a line with "deleted; expires=" removes the pair. A line with
// no ";" after the name gives its whole remaining line as the value.
void MergeCookies(std::string& cookies, std::string_view headers);

}  // namespace web
