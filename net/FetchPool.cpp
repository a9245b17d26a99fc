#include "net/FetchPool.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "net/WebClient.h"

namespace pagelark::net {

FetchPool::FetchPool(WebClientOptions options, int connections) {
  options.keepGoing = [this] {
    const std::lock_guard lock(mutex_);
    return !stopping_;
  };
  // The first client sets libcurl up before any worker runs.
  const WebClient setUp(options);
  for (int i = 0; i < std::max(connections, 1); ++i) workers_.emplace_back([this, options] { Work(options); });
}

FetchPool::~FetchPool() {
  StopAll();
  for (std::thread& worker : workers_) worker.join();
}

void FetchPool::Submit(std::size_t ticket, std::string url, unsigned short port, std::uint64_t maxBytes) {
  {
    const std::lock_guard lock(mutex_);
    // A stopped pool takes no more: the ticket is not held.
    if (stopping_) return;
    tickets_[ticket];
    queue_.push_back({ticket, std::move(url), port, maxBytes});
  }
  ordered_.notify_one();
}

bool FetchPool::Holds(std::size_t ticket) const {
  const std::lock_guard lock(mutex_);
  return tickets_.contains(ticket);
}

std::optional<PooledAnswer> FetchPool::Take(std::size_t ticket, const std::function<bool()>& keepGoing,
                                            std::chrono::milliseconds interval) {
  std::unique_lock lock(mutex_);
  while (true) {
    const auto held = tickets_.find(ticket);
    if (held == tickets_.end()) return std::nullopt;
    if (held->second.has_value()) {
      PooledAnswer answer = std::move(*held->second);
      tickets_.erase(held);
      return answer;
    }
    if (answered_.wait_for(lock, interval) == std::cv_status::no_timeout) continue;
    lock.unlock();
    const bool goOn = keepGoing();
    lock.lock();
    if (!goOn) {
      lock.unlock();
      StopAll();
      return std::nullopt;
    }
  }
}

void FetchPool::DropBelow(std::size_t ticket) {
  const std::lock_guard lock(mutex_);
  tickets_.erase(tickets_.begin(), tickets_.lower_bound(ticket));
  std::erase_if(queue_, [ticket](const Order& order) { return order.ticket < ticket; });
}

void FetchPool::StopAll() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
    tickets_.clear();
  }
  ordered_.notify_all();
  answered_.notify_all();
}

bool FetchPool::NextOrder(Order& order) {
  std::unique_lock lock(mutex_);
  ordered_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
  if (stopping_) return false;
  order = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

void FetchPool::Work(WebClientOptions options) {
  WebClient client(std::move(options));
  Order order;
  while (NextOrder(order)) {
    PooledAnswer answer;
    try {
      answer.ok = client.FetchBody(order.url, order.port, answer.body, order.maxBytes);
      answer.failure = client.LastFailure();
      answer.contentType = client.LastContentType();
    } catch (const std::exception&) {
      // No memory for the body, say: the owner fetches it again at its turn,
      // where the failure is its own to handle.
      answer = PooledAnswer{};
      answer.unusable = true;
    }
    {
      const std::lock_guard lock(mutex_);
      // A ticket dropped meanwhile is not answered.
      const auto held = tickets_.find(order.ticket);
      if (held != tickets_.end()) held->second = std::move(answer);
    }
    answered_.notify_all();
  }
}

}  // namespace pagelark::net
