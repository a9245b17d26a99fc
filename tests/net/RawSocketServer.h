// A bare TCP server on 127.0.0.1 for what cpp-httplib cannot show or do: the
// exact bytes of each request (a GET's body included) and answers that stall.
// Each connection is read up to the end of its head plus its Content-Length
// body, recorded, then sent the fixed `reply` bytes; after that it is closed,
// or held open without another byte when `holdOpen` is set.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/LoopbackServer.h"

namespace pagelark::test {

class RawSocketServer {
 public:
  RawSocketServer(std::string reply, bool holdOpen);
  ~RawSocketServer();
  RawSocketServer(const RawSocketServer&) = delete;
  RawSocketServer& operator=(const RawSocketServer&) = delete;

  unsigned short port() const { return port_; }
  std::string Url(std::string_view path) const;
  // The raw bytes of every request read so far.
  std::vector<std::string> Requests() const;

 private:
  void Run();
  bool ReadRequest(int connection, std::string& request) const;
  bool WaitReadable(int connection) const;

  std::string reply_;
  bool holdOpen_;
  int listener_ = -1;
  int wakePipe_[2] = {-1, -1};
  unsigned short port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> held_;
};

// Splits raw request bytes into request line parts, headers (in order) and
// body.
RecordedRequest ParseRawRequest(std::string_view raw);

// A port on 127.0.0.1 that nobody listens on (bound once, then released).
unsigned short UnusedPort();

}  // namespace pagelark::test
