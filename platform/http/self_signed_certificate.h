// A certificate made at run time for servers on the loopback interface: the demo station and the
// test servers speak HTTPS with it, and hand its PEM text to http::TrustExtraRoot so that the
// program's own requests verify it like any other.
#pragma once

#include <string>

namespace http {

struct SelfSignedCertificate {
  std::string certificate_pem;  // X.509 certificate, PEM text
  std::string private_key_pem;  // its private key (PKCS#8), PEM text
};

// Makes a new key and a self-signed certificate for the names 127.0.0.1 and localhost (common name
// and subject alternative names), valid from a day ago for ten years. Both texts are empty when
// OpenSSL fails. Each call makes a new key; keep the result rather than calling it per request.
SelfSignedCertificate MakeSelfSignedCertificate();

}  // namespace http
