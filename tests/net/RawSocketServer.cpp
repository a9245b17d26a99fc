#include "net/RawSocketServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
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

void SendAll(int connection, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

}  // namespace

RawSocketServer::RawSocketServer(std::string reply, bool holdOpen) : reply_(std::move(reply)), holdOpen_(holdOpen) {
  listener_ = ListenOnLoopback(port_);
  if (::pipe(wakePipe_) != 0) throw std::runtime_error("raw socket server: no pipe");
  thread_ = std::thread([this] { Run(); });
}

RawSocketServer::~RawSocketServer() {
  const char stop = 's';
  [[maybe_unused]] const ssize_t written = ::write(wakePipe_[1], &stop, 1);
  thread_.join();
  for (const int connection : held_) ::close(connection);
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

// False when the server is being stopped.
bool RawSocketServer::WaitReadable(int fd) const {
  pollfd watched[2] = {{fd, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
  while (::poll(watched, 2, -1) < 0) {
  }
  return (watched[1].revents & POLLIN) == 0;
}

// Reads until the request is whole or the client closes. False when the
// server is being stopped.
bool RawSocketServer::ReadRequest(int connection, std::string& request) const {
  std::size_t wanted = std::string::npos;
  while (request.size() < wanted) {
    if (!WaitReadable(connection)) return false;
    char buffer[4096];
    const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return true;
    request.append(buffer, static_cast<std::size_t>(got));
    const std::size_t headEnd = request.find(kHeadEnd);
    if (wanted == std::string::npos && headEnd != std::string::npos) {
      wanted = headEnd + kHeadEnd.size() + ContentLength(std::string_view(request).substr(0, headEnd + 2));
    }
  }
  return true;
}

void RawSocketServer::Run() {
  while (WaitReadable(listener_)) {
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    std::string request;
    if (!ReadRequest(connection, request)) {
      ::close(connection);
      return;
    }
    {
      const std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    SendAll(connection, reply_);
    if (holdOpen_) {
      held_.push_back(connection);
    } else {
      ::close(connection);
    }
  }
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
