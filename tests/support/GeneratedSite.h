// A generated site on a loopback server: page n links to pages 10n+1 to
// 10n+10 below the page count, and each page holds one image of its own, so
// a run over it finds every URL by scanning.
#pragma once

#include <cstdio>
#include <string>

#include "support/LoopbackServer.h"

namespace pagelark::test {

inline void ServeGeneratedSite(LoopbackServer& server, int pages) {
  server.HandleOthers([pages](const httplib::Request& request, httplib::Response& response) {
    int n = 0;
    char kind = 0;
    if (std::sscanf(request.path.c_str(), "/p%d.%c", &n, &kind) != 2 || n < 0 || n >= pages) {
      response.status = 404;
      return;
    }
    if (kind == 'g') {
      response.set_content("GIF89a", "image/gif");
      return;
    }
    std::string body = "<html><body><img src=\"p" + std::to_string(n) + ".gif\">\n";
    for (int child = 10 * n + 1; child <= 10 * n + 10 && child < pages; ++child) {
      body += "<a href=\"p" + std::to_string(child) + ".html\">page " + std::to_string(child) + "</a>\n";
    }
    response.set_content(body + "</body></html>\n", "text/html");
  });
}

}  // namespace pagelark::test
