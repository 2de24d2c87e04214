#include "platform/http/curl_common.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <sstream>

#include "platform/http/trusted_roots.h"
#include "text/gbk.h"

namespace http {
namespace {

constexpr const char* kFallbackBundle = "/etc/ssl/certs/ca-certificates.crt";

struct RootStore {
  std::mutex mutex;
  std::string extras;
  // The system bundle with the extras appended; rebuilt when an extra root comes.
  std::shared_ptr<const std::string> combined;
};

RootStore& Roots() {
  static RootStore store;
  return store;
}

std::string SystemBundlePath() {
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  return info != nullptr && info->cainfo != nullptr ? info->cainfo : kFallbackBundle;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

void TrustExtraRoot(std::string pem) {
  if (pem.empty()) {
    return;
  }
  RootStore& store = Roots();
  std::lock_guard lock(store.mutex);
  if (!store.extras.empty() && store.extras.back() != '\n') {
    store.extras += '\n';
  }
  store.extras += pem;
  std::string combined = ReadFile(SystemBundlePath());
  if (!combined.empty() && combined.back() != '\n') {
    combined += '\n';
  }
  combined += store.extras;
  store.combined = std::make_shared<const std::string>(std::move(combined));
}

void EnsureCurlInitialised() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::shared_ptr<const std::string> CombinedRoots() {
  RootStore& store = Roots();
  std::lock_guard lock(store.mutex);
  return store.combined;
}

void ApplyTrustedRoots(CURL* handle, const std::shared_ptr<const std::string>& combined) {
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  if (combined) {
    // libcurl copies the blob, so the snapshot may go once the option is set.
    curl_blob blob{const_cast<char*>(combined->data()), combined->size(), CURL_BLOB_COPY};
    curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, &blob);
  } else {
    curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, nullptr);
  }
}

std::string WireUrl(std::string_view gbk_url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string utf8 = text::GbkToUtf8(gbk_url);
  std::string wire;
  wire.reserve(utf8.size());
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    bool unsafe = byte <= 0x20 || byte >= 0x7F ||
                  std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos;
    if (unsafe) {
      wire += '%';
      wire += kHex[byte >> 4];
      wire += kHex[byte & 0x0F];
    } else {
      wire += c;
    }
  }
  return wire;
}

}  // namespace http
