// The certificates that HTTPS requests trust: the system's roots, plus roots the program hands over
// at run time (the demo station's certificate). Both the request component and the download use
// them. Verification of the server's certificate and name is never switched off.
#pragma once

#include <string>

namespace http {

// Adds the certificates in `pem` (PEM text, one or more) to the trusted roots of every request and
// download started afterwards, on any thread; connections already open keep what they verified.
// Empty text is ignored. Safe to call from any thread.
void TrustExtraRoot(std::string pem);

}  // namespace http
