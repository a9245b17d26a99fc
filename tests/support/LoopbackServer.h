// A loopback HTTP or HTTPS server for tests: cpp-httplib on 127.0.0.1, on a
// free port, served from a background thread and stopped by the destructor.
// Tests register an answer per path; every request is recorded (method,
// target with its query, version, headers, body) before it is answered, so a
// client that has its answer can read the record at once.
//
//   test::LoopbackServer server;
//   server.Serve("/a.html", 200, "<html>...</html>");
//   server.Redirect("/old.html", 301, "/a.html");
//   client.FetchText(server.Url("/a.html"), 80, text);
//   EXPECT_EQ(server.Requests()[0].Header("User-Agent"), "My Session");
//   server.ServeFolder(siteFolder);  // a whole folder of files
//
// Link with PkgConfig::HTTPLIB (or the `pagelark_test_loopback` target of
// tests/net). cpp-httplib reads a request body only for POST, PUT, PATCH and
// DELETE: the body of a GET is not recorded here.
#pragma once

#include <httplib.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace pagelark::test {

struct RecordedRequest {
  std::string method;
  std::string target;   // path and query as they arrived
  std::string version;  // "HTTP/1.0", "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  int remotePort = 0;  // the client's port: one connection, one port

  // The value of the first header named `name` (letter case ignored), or "".
  std::string Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
      if (SameName(key, name)) return value;
    }
    return {};
  }
  bool HasHeader(std::string_view name) const {
    for (const auto& header : headers) {
      if (SameName(header.first, name)) return true;
    }
    return false;
  }

 private:
  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }
};

// A self-signed certificate for 127.0.0.1 and localhost, made with the
// openssl command line. Trust `certFile` as the only authority in the client.
struct TestCertificate {
  std::string certFile;  // native paths
  std::string keyFile;

  static TestCertificate Create(const std::filesystem::path& folder) {
    TestCertificate made{(folder / "cert.pem").string(), (folder / "key.pem").string()};
    const std::string command =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj /CN=127.0.0.1"
        " -addext subjectAltName=IP:127.0.0.1,DNS:localhost -keyout '" +
        made.keyFile + "' -out '" + made.certFile + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("openssl could not make a test certificate");
    return made;
  }
};

class LoopbackServer {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

  // Plain HTTP.
  LoopbackServer() : server_(std::make_unique<httplib::Server>()) { Start(); }
  // HTTPS with the given certificate.
  explicit LoopbackServer(const TestCertificate& certificate)
      : server_(std::make_unique<httplib::SSLServer>(certificate.certFile.c_str(), certificate.keyFile.c_str())),
        scheme_("https") {
    Start();
  }
  ~LoopbackServer() {
    server_->stop();
    if (thread_.joinable()) thread_.join();
  }
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Answers every method on `path` (the target without its query). Paths
  // without a handler get 404.
  void Handle(const std::string& path, Handler handler) {
    const std::lock_guard lock(mutex_);
    handlers_[path] = std::move(handler);
  }
  // Answers every path that has no handler of its own (instead of 404).
  void HandleOthers(Handler handler) {
    const std::lock_guard lock(mutex_);
    fallback_ = std::move(handler);
  }
  // A fixed answer; `body` may hold any bytes.
  void Serve(const std::string& path, int status, std::string body, std::string contentType = "text/html") {
    Handle(path, [=](const httplib::Request&, httplib::Response& response) {
      response.status = status;
      response.set_content(body, contentType.c_str());
    });
  }
  // Serves the files below `root` (GET and HEAD) before any handler, with a
  // Content-Type from the file name's extension; a path ending in "/" answers
  // with that folder's index.html. Paths that name no file go on to the
  // handlers (404 by default).
  void ServeFolder(const std::filesystem::path& root) {
    if (!server_->set_mount_point("/", root.string())) throw std::runtime_error("cannot serve " + root.string());
  }
  void Redirect(const std::string& path, int status, std::string location) {
    Handle(path,
           [=](const httplib::Request&, httplib::Response& response) { response.set_redirect(location, status); });
  }

  unsigned short port() const { return port_; }
  // "http://127.0.0.1:<port>" (or https) followed by `path`.
  std::string Url(std::string_view path) const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  std::vector<RecordedRequest> Requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void Start() {
    const auto answer = [this](const httplib::Request& request, httplib::Response& response) {
      Answer(request, response);
    };
    server_->Get(".*", answer).Post(".*", answer).Put(".*", answer).Patch(".*", answer).Delete(".*", answer);
    server_->set_keep_alive_timeout(1);
    // Headers and body go out in separate writes: without this, Nagle and the
    // client's delayed acknowledgement hold every answer on a kept-alive
    // connection for tens of milliseconds.
    server_->set_tcp_nodelay(true);
    const int port = server_->bind_to_any_port("127.0.0.1");
    if (port <= 0) throw std::runtime_error("the loopback server cannot listen");
    port_ = static_cast<unsigned short>(port);
    thread_ = std::thread([this] {
      server_->listen_after_bind();
      stopped_ = true;
    });
    // stop() is only heard once the accept loop runs.
    while (!server_->is_running() && !stopped_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  void Answer(const httplib::Request& request, httplib::Response& response) {
    Handler handler;
    {
      const std::lock_guard lock(mutex_);
      requests_.push_back(Record(request));
      const auto found = handlers_.find(request.path);
      handler = found != handlers_.end() ? found->second : fallback_;
    }
    if (handler) {
      handler(request, response);
    } else {
      response.status = 404;
      response.set_content("not found", "text/plain");
    }
  }

  static RecordedRequest Record(const httplib::Request& request) {
    RecordedRequest recorded{request.method, request.target, request.version, {}, request.body, request.remote_port};
    for (const auto& [name, value] : request.headers) {
      // cpp-httplib adds the socket's addresses as headers of its own.
      if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" || name == "REMOTE_PORT") continue;
      recorded.headers.emplace_back(name, value);
    }
    return recorded;
  }

  std::unique_ptr<httplib::Server> server_;
  std::string scheme_ = "http";
  unsigned short port_ = 0;
  std::thread thread_;
  std::atomic<bool> stopped_ = false;
  mutable std::mutex mutex_;
  std::map<std::string, Handler> handlers_;
  Handler fallback_;
  std::vector<RecordedRequest> requests_;
};

}  // namespace pagelark::test
