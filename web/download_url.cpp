#include "web/download_url.h"

#include "platform/http/download.h"

std::string DownloadUrl(std::string_view url) {
  return http::Download(url);
}
