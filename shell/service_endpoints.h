// The three hosts the program talks to, each "https://" and a host with no trailing "/".
#pragma once

#include <string>

struct ServiceEndpoints {
  std::string radio_service_base;
  std::string music_site_base;
  std::string qr_service_base;

  // The hosts this build was configured with.
  static ServiceEndpoints FromBuild();
};
