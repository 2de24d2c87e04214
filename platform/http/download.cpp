#include "platform/http/download.h"

#include <curl/curl.h>

#include <memory>

#include "platform/http/curl_common.h"

namespace http {
namespace {

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

size_t OnBody(char* data, size_t size, size_t count, void* body_pointer) {
  auto* body = static_cast<std::string*>(body_pointer);
  size_t n = size * count;
  if (body->size() + n > kMaxBodyBytes) {
    return 0;
  }
  body->append(data, n);
  return n;
}

}  // namespace

std::string Download(std::string_view url) {
  EnsureCurlInitialised();
  // One handle per thread, so that downloads from one host reuse their connection.
  thread_local std::unique_ptr<CURL, EasyDeleter> handle(curl_easy_init());
  CURL* easy = handle.get();
  if (easy == nullptr || url.empty()) {
    return {};
  }
  curl_easy_reset(easy);
  std::string body;
  curl_easy_setopt(easy, CURLOPT_URL, WireUrl(url).c_str());
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(easy, CURLOPT_PROXY, "");
  curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, 60000L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, 30L);
  ApplyTrustedRoots(easy, CombinedRoots());
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(easy);
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  if (result != CURLE_OK || status >= 400) {
    return {};
  }
  return body;
}

}  // namespace http
