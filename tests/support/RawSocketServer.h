// A bare TCP server on 127.0.0.1 for what cpp-httplib cannot show or do: the
// exact bytes of each request (a GET's body included) and answers that stall,
// break off, lie about their length or never end. Each connection has a
// thread of its own: it is read up to the end of its head plus its
// Content-Length body, recorded, then handed to the server's answer, which
// writes through a RawConnection; the connection is closed when the answer
// returns. The destructor ends every connection, also one in the middle of an
// answer.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/LoopbackServer.h"

namespace pagelark::test {

// One accepted connection, as its answer sees it.
class RawConnection {
 public:
  RawConnection(int socket, int stopSignal) : socket_(socket), stopSignal_(stopSignal) {}
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  // The raw bytes of the request.
  const std::string& request() const { return request_; }
  // The request target ("/a.html?x=1").
  std::string Target() const;
  // Sends every byte. False when the client has gone or the server stops.
  bool Send(std::string_view bytes);
  // Waits. False when the server stops first.
  bool Pause(std::chrono::milliseconds time) const;
  // Holds the connection open, silent, until the server stops.
  void Hold() const { Pause(std::chrono::hours(24)); }
  // Ends the connection with a reset instead of an orderly close.
  void Reset();

 private:
  friend class RawSocketServer;
  bool ReadRequest();
  // False when the server stops first.
  bool WaitFor(short events, int timeoutMs) const;

  int socket_;
  int stopSignal_;
  std::string request_;
};

class RawSocketServer {
 public:
  using Answer = std::function<void(RawConnection&)>;

  explicit RawSocketServer(Answer answer);
  // Sends the fixed `reply` bytes to every request; then closes, or holds the
  // connection open without another byte when `holdOpen` is set.
  RawSocketServer(std::string reply, bool holdOpen);
  ~RawSocketServer();
  RawSocketServer(const RawSocketServer&) = delete;
  RawSocketServer& operator=(const RawSocketServer&) = delete;

  unsigned short port() const { return port_; }
  std::string Url(std::string_view path) const;
  // The raw bytes of every request read so far, in the order they were read.
  std::vector<std::string> Requests() const;

 private:
  void Run();
  void Serve(int socket);

  Answer answer_;
  int listener_ = -1;
  int wakePipe_[2] = {-1, -1};
  unsigned short port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<std::thread> connections_;
};

// Splits raw request bytes into request line parts, headers (in order) and
// body.
RecordedRequest ParseRawRequest(std::string_view raw);

// A port on 127.0.0.1 that nobody listens on (bound once, then released).
unsigned short UnusedPort();

}  // namespace pagelark::test
