// DownloadUrl: the plain blocking download of the cover pictures, the QR page and image and the
// album pages. Separate from the program's WebRequest `http`.
#pragma once

#include <string>
#include <string_view>

// GETs `url` and returns the body bytes (a std::string of bytes, not a text), following redirects
// and sending no header of the program's own. Empty bytes on any failure: no connection, a
// time-out, an error status (400 and above), a body over 16 MiB, an untrusted certificate.
std::string DownloadUrl(std::string_view url);
