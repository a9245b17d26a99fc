// Plain GETs on several connections at once: each worker thread has a
// WebClient of its own (and so a connection of its own), and takes the
// queued requests in the order they were queued. The answers are held in
// memory until their owner takes them, by ticket.
//
// The pool never calls back into its owner's thread: the owner waits in
// Take, which asks the owner's keepGoing while it waits.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "net/Failure.h"
#include "net/WebClientOptions.h"

namespace pagelark::net {

// A finished GET (WebClient::FetchBody).
struct PooledAnswer {
  bool ok = false;        // a whole 200 answer, `body` holds it
  bool unusable = false;  // the fetch broke off with an exception
  std::string body;
  Failure failure;
  std::string contentType;
};

class FetchPool {
 public:
  // `options` as the owner's client has them (its keepGoing is replaced by
  // the pool's own stop); `connections` workers, at least one.
  FetchPool(WebClientOptions options, int connections);
  ~FetchPool();  // stops what is under way and joins the workers
  FetchPool(const FetchPool&) = delete;
  FetchPool& operator=(const FetchPool&) = delete;

  // Queues a GET of `url` with `maxBytes` as its body's bound (0: none).
  void Submit(std::size_t ticket, std::string url, unsigned short port, std::uint64_t maxBytes);

  // Whether `ticket` was queued and not yet taken or dropped.
  bool Holds(std::size_t ticket) const;

  // Waits for the answer to `ticket` (which must be held), asking keepGoing
  // about every `interval`. When keepGoing says no, every transfer of the
  // pool is abandoned and the result is empty.
  std::optional<PooledAnswer> Take(std::size_t ticket, const std::function<bool()>& keepGoing,
                                   std::chrono::milliseconds interval);

  // Forgets every ticket below `ticket`: their answers are dropped, and
  // those still queued are not sent.
  void DropBelow(std::size_t ticket);

  // Abandons every transfer under way and every queued request.
  void StopAll();

 private:
  struct Order {
    std::size_t ticket;
    std::string url;
    unsigned short port;
    std::uint64_t maxBytes;
  };

  void Work(WebClientOptions options);
  bool NextOrder(Order& order);

  mutable std::mutex mutex_;
  std::condition_variable ordered_;
  std::condition_variable answered_;
  std::deque<Order> queue_;
  std::map<std::size_t, std::optional<PooledAnswer>> tickets_;  // empty until answered
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace pagelark::net
