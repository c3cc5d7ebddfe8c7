// The page people leave open: one card per printer, server-rendered HTML with
// its CSS inline and no script or external asset, so it works offline and in
// any browser. It reloads itself every poll interval.
#ifndef PAT_HOST_SERVE_STATUS_PAGE_H
#define PAT_HOST_SERVE_STATUS_PAGE_H

#include <chrono>
#include <string>

#include "serve/fleet.h"
#include "serve/http_server.h"

namespace pathost::serve {

// Made card by card while it is sent.
HttpResponse StatusPage(const Fleet &fleet, const ModuleIdentity &module, std::chrono::system_clock::time_point now);

}  // namespace pathost::serve

#endif
