// The plain blocking download: a GET of a URL that yields the body, for pictures and pages. It is
// separate from the request component: no header of the program's own, no cookies kept.
#pragma once

#include <string>
#include <string_view>

namespace http {

// GETs `url` (a program text, sent like HttpRequest's URLs) following redirects and returns the
// body bytes. Empty on any failure: no connection, a time-out (60 s to connect, 30 s without
// bytes), an error status (400 and above), a body over 16 MiB, a certificate that does not verify.
// Blocks the calling thread; may be called from several threads at once.
std::string Download(std::string_view url);

}  // namespace http
