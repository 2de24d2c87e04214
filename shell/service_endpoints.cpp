#include "shell/service_endpoints.h"

ServiceEndpoints ServiceEndpoints::FromBuild() {
  return {TOVASEL_RADIO_SERVICE_BASE, TOVASEL_MUSIC_SITE_BASE, TOVASEL_QR_SERVICE_BASE};
}
