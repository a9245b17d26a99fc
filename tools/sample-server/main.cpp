// Serves a folder over HTTP on 127.0.0.1 for the demo and manual tests, and
// answers "search.cgi" by GET and by POST with a small result page.
//
//   sample-server ROOT [PORT]     (PORT 0 or none: a free port)
//
// Prints "port N" on its first line once it listens; stops on SIGINT/SIGTERM.
#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string SearchPage(const httplib::Request& request) {
  std::string params;
  for (const auto& [key, value] : request.params) params += "<li>" + key + " = " + value + "</li>\r\n";
  return "<html>\r\n<head><title>search</title></head>\r\n<body>\r\n<h1>" + request.method +
         " search.cgi</h1>\r\n<ul>\r\n" + params +
         "</ul>\r\n<p><img src=\"gallery/fuji.png\"> <a href=\"index.html\">top</a></p>\r\n</body>\r\n</html>\r\n";
}

void AddSearch(httplib::Server& server) {
  const auto answer = [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(SearchPage(request), "text/html; charset=Shift_JIS");
  };
  server.Get("/search.cgi", answer);
  server.Post("/search.cgi", answer);
}

// Waits for SIGINT or SIGTERM on its own thread and stops the server.
std::thread StopOnSignal(httplib::Server& server) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return std::thread([&server, signals] {
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: sample-server ROOT [PORT]\n");
    return 2;
  }
  httplib::Server server;
  if (!server.set_mount_point("/", argv[1])) {
    std::fprintf(stderr, "sample-server: cannot serve %s\n", argv[1]);
    return 2;
  }
  AddSearch(server);
  server.set_tcp_nodelay(true);  // one answer, not one wait per kept-alive request
  const int wanted = argc == 3 ? std::atoi(argv[2]) : 0;
  const int port =
      wanted > 0 ? (server.bind_to_port("127.0.0.1", wanted) ? wanted : -1) : server.bind_to_any_port("127.0.0.1");
  if (port <= 0) {
    std::fprintf(stderr, "sample-server: cannot listen\n");
    return 1;
  }
  std::thread stopper = StopOnSignal(server);
  std::printf("port %d\n", port);
  std::fflush(stdout);
  server.listen_after_bind();
  stopper.join();
  return 0;
}
