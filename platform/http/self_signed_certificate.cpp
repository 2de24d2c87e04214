#include "platform/http/self_signed_certificate.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace http {
namespace {

template <auto Free>
struct Deleter {
  template <typename T>
  void operator()(T* p) const {
    Free(p);
  }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Deleter<X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO_free>>;
using ExtensionPtr = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION_free>>;

std::string BioText(BIO* bio) {
  char* data = nullptr;
  long size = BIO_get_mem_data(bio, &data);
  return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

bool AddExtension(X509* cert, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
  ExtensionPtr extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
  return extension && X509_add_ext(cert, extension.get(), -1) == 1;
}

}  // namespace

SelfSignedCertificate MakeSelfSignedCertificate() {
  // A P-256 key is made in a millisecond, where an RSA key would take a noticeable part of a test.
  KeyPtr key(EVP_EC_gen("P-256"));
  CertPtr cert(X509_new());
  if (!key || !cert) {
    return {};
  }
  X509_set_version(cert.get(), 2);  // X.509 v3, needed for the extensions
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -24L * 60 * 60);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 10L * 365 * 24 * 60 * 60);
  X509_set_pubkey(cert.get(), key.get());
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
  X509_set_issuer_name(cert.get(), name);
  bool extensions_ok =
      AddExtension(cert.get(), NID_basic_constraints, "critical,CA:TRUE") &&
      AddExtension(cert.get(), NID_key_usage, "critical,digitalSignature,keyCertSign") &&
      AddExtension(cert.get(), NID_ext_key_usage, "serverAuth") &&
      AddExtension(cert.get(), NID_subject_key_identifier, "hash") &&
      AddExtension(cert.get(), NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
  if (!extensions_ok || X509_sign(cert.get(), key.get(), EVP_sha256()) == 0) {
    return {};
  }

  BioPtr cert_bio(BIO_new(BIO_s_mem()));
  BioPtr key_bio(BIO_new(BIO_s_mem()));
  if (!cert_bio || !key_bio || PEM_write_bio_X509(cert_bio.get(), cert.get()) != 1 ||
      PEM_write_bio_PrivateKey(key_bio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) !=
          1) {
    return {};
  }
  return {BioText(cert_bio.get()), BioText(key_bio.get())};
}

}  // namespace http
