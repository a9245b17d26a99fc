// Serves a folder over HTTP on 127.0.0.1 for the demo, manual tests and the
// latency bench, and answers "search.cgi" by GET and by POST with a small
// result page.
//
//   sample-server [--delay-ms N] ROOT [PORT]     (PORT 0 or none: a free port)
//
// --delay-ms N waits N ms before each answer (404s included), a stand-in for
// a network round trip. Connections stay open for many requests, answers
// leave without Nagle's wait, and up to kThreads connections are served at
// once. Prints "port N" on its first line once it listens; stops on
// SIGINT/SIGTERM.
#include <httplib.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace {

constexpr size_t kThreads = 32;                   // more than any bench's parallel connections
constexpr size_t kRequestsPerConnection = 10000;  // the library closes after 5 by default

struct Options {
  const char* root = nullptr;
  int port = 0;
  int delayMs = 0;
};

// Reads [--delay-ms N] ROOT [PORT]; nothing when the words do not fit.
std::optional<Options> ReadOptions(int argc, char** argv) {
  Options options;
  int next = 1;
  if (argc > 2 && std::string_view(argv[1]) == "--delay-ms") {
    char* end = nullptr;
    const long delay = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || delay < 0 || delay > 60000) return std::nullopt;
    options.delayMs = static_cast<int>(delay);
    next = 3;
  }
  const int rest = argc - next;
  if (rest < 1 || rest > 2) return std::nullopt;
  options.root = argv[next];
  if (rest == 2) options.port = std::atoi(argv[next + 1]);
  return options;
}

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

// Every request, whatever answers it, first waits `delayMs`.
void AddDelay(httplib::Server& server, int delayMs) {
  if (delayMs == 0) return;
  server.set_pre_routing_handler([delayMs](const httplib::Request&, httplib::Response&) {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    return httplib::Server::HandlerResponse::Unhandled;
  });
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
  const std::optional<Options> options = ReadOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: sample-server [--delay-ms N] ROOT [PORT]\n");
    return 2;
  }
  httplib::Server server;
  if (!server.set_mount_point("/", options->root)) {
    std::fprintf(stderr, "sample-server: cannot serve %s\n", options->root);
    return 2;
  }
  AddSearch(server);
  AddDelay(server, options->delayMs);
  server.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
  server.set_keep_alive_max_count(kRequestsPerConnection);
  // Accepted sockets inherit TCP_NODELAY from the listening socket: one
  // answer, not one wait for the client's delayed ACK per kept-alive request.
  server.set_tcp_nodelay(true);
  const int wanted = options->port;
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
