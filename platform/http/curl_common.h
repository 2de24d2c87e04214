// What the request component and the download share on top of libcurl. Internal to platform/http:
// only its sources include this header.
#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace http {

// An answer body larger than this is a failure, so that a huge answer cannot take the memory.
inline constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;
// The header lines of one answer are capped too.
inline constexpr std::size_t kMaxHeaderBytes = 1024 * 1024;

// curl_global_init, once per process, before the first handle is made.
void EnsureCurlInitialised();

// The system's bundle with the extra roots appended (TrustExtraRoot), or null while there are none
// (then libcurl reads the system's bundle itself). A new snapshot comes with each extra root.
std::shared_ptr<const std::string> CombinedRoots();

// Sets the trusted roots of `handle` to `combined` (a CombinedRoots snapshot). Peer and host
// verification stay on.
void ApplyTrustedRoots(CURL* handle, const std::shared_ptr<const std::string>& combined);

// A URL of the program (GBK text) as sent: converted to UTF-8, with blanks, control bytes, bytes
// of 0x80 and above and the characters  " < > \ ^ ` { | }  percent-escaped. A "%" stays as it is,
// so a URL that is escaped already goes out unchanged.
std::string WireUrl(std::string_view gbk_url);

}  // namespace http
