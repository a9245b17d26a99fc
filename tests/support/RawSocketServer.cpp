#include "support/RawSocketServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace pagelark::test {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";

int ListenOnLoopback(unsigned short& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("raw socket server cannot listen");
  }
  port = ntohs(address.sin_port);
  return fd;
}

std::size_t ContentLength(std::string_view head) {
  const RecordedRequest parsed = ParseRawRequest(head);
  const std::string value = parsed.Header("Content-Length");
  return value.empty() ? 0 : std::stoul(value);
}

// Waits until `fd` has one of `events` (fd < 0: only the time) or the time
// passes. False when `stopSignal` became readable first: the server stops.
bool WaitUnlessStopped(int fd, short events, int stopSignal, int timeoutMs) {
  pollfd watched[2] = {{fd, events, 0}, {stopSignal, POLLIN, 0}};
  while (::poll(watched, 2, timeoutMs) < 0 && errno == EINTR) {
  }
  return (watched[1].revents & POLLIN) == 0;
}

}  // namespace

RawConnection::~RawConnection() {
  if (socket_ >= 0) ::close(socket_);
}

std::string RawConnection::Target() const { return ParseRawRequest(request_).target; }

bool RawConnection::WaitFor(short events, int timeoutMs) const {
  return WaitUnlessStopped(events != 0 ? socket_ : -1, events, stopSignal_, timeoutMs);
}

bool RawConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (socket_ < 0 || !WaitFor(POLLOUT, -1)) return false;
    const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool RawConnection::Pause(std::chrono::milliseconds time) const { return WaitFor(0, static_cast<int>(time.count())); }

void RawConnection::Reset() {
  const linger abort{1, 0};
  ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  ::close(socket_);
  socket_ = -1;
}

// Reads until the request is whole or the client closes. False when the
// server stops first.
bool RawConnection::ReadRequest() {
  std::size_t wanted = std::string::npos;
  while (request_.size() < wanted) {
    if (!WaitFor(POLLIN, -1)) return false;
    char buffer[4096];
    const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return true;
    request_.append(buffer, static_cast<std::size_t>(got));
    const std::size_t headEnd = request_.find(kHeadEnd);
    if (wanted == std::string::npos && headEnd != std::string::npos) {
      wanted = headEnd + kHeadEnd.size() + ContentLength(std::string_view(request_).substr(0, headEnd + 2));
    }
  }
  return true;
}

RawSocketServer::RawSocketServer(Answer answer) : answer_(std::move(answer)) {
  listener_ = ListenOnLoopback(port_);
  if (::pipe(wakePipe_) != 0) throw std::runtime_error("raw socket server: no pipe");
  thread_ = std::thread([this] { Run(); });
}

RawSocketServer::RawSocketServer(std::string reply, bool holdOpen)
    : RawSocketServer([reply = std::move(reply), holdOpen](RawConnection& connection) {
        if (connection.Send(reply) && holdOpen) connection.Hold();
      }) {}

// The stop signal stays readable: every wait of every connection ends.
RawSocketServer::~RawSocketServer() {
  const char stop = 's';
  [[maybe_unused]] const ssize_t written = ::write(wakePipe_[1], &stop, 1);
  thread_.join();
  for (std::thread& connection : connections_) connection.join();
  ::close(listener_);
  ::close(wakePipe_[0]);
  ::close(wakePipe_[1]);
}

std::string RawSocketServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RawSocketServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void RawSocketServer::Run() {
  while (WaitUnlessStopped(listener_, POLLIN, wakePipe_[0], -1)) {
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection >= 0) connections_.emplace_back([this, connection] { Serve(connection); });
  }
}

void RawSocketServer::Serve(int socket) {
  RawConnection connection(socket, wakePipe_[0]);
  if (!connection.ReadRequest()) return;
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(connection.request());
  }
  answer_(connection);
}

RecordedRequest ParseRawRequest(std::string_view raw) {
  RecordedRequest parsed;
  const std::size_t headEnd = raw.find(kHeadEnd);
  std::string_view head = raw.substr(0, headEnd);
  parsed.body = headEnd == std::string_view::npos ? "" : std::string(raw.substr(headEnd + kHeadEnd.size()));
  const std::size_t lineEnd = head.find("\r\n");
  const std::string_view requestLine = head.substr(0, lineEnd);
  const std::size_t firstBlank = requestLine.find(' ');
  const std::size_t lastBlank = requestLine.rfind(' ');
  parsed.method = std::string(requestLine.substr(0, firstBlank));
  parsed.target = std::string(requestLine.substr(firstBlank + 1, lastBlank - firstBlank - 1));
  parsed.version = std::string(requestLine.substr(lastBlank + 1));
  head = lineEnd == std::string_view::npos ? std::string_view{} : head.substr(lineEnd + 2);
  while (!head.empty()) {
    const std::size_t end = std::min(head.find("\r\n"), head.size());
    const std::string_view line = head.substr(0, end);
    const std::size_t colon = line.find(':');
    std::string_view value = colon == std::string_view::npos ? std::string_view{} : line.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    parsed.headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
    head.remove_prefix(std::min(end + 2, head.size()));
  }
  return parsed;
}

unsigned short UnusedPort() {
  unsigned short port = 0;
  ::close(ListenOnLoopback(port));
  return port;
}

}  // namespace pagelark::test
