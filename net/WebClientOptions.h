// Settings of the HTTP client that are not part of a profile.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace pagelark::net {

// Limits that keep a silent or trickling server from holding a run for ever.
struct NetTimeouts {
  static constexpr std::chrono::milliseconds kDefaultConnect{30'000};
  static constexpr long kDefaultLowSpeedBytesPerSecond = 100;
  static constexpr std::chrono::seconds kDefaultLowSpeedTime{30};

  // Longest wait for the connection (TCP, and the TLS handshake for https).
  std::chrono::milliseconds connect = kDefaultConnect;
  // A transfer whose speed (libcurl's running average over the last seconds)
  // stays below lowSpeedBytesPerSecond for lowSpeedTime on end is abandoned;
  // this includes waiting for an answer that never comes.
  long lowSpeedBytesPerSecond = kDefaultLowSpeedBytesPerSecond;
  std::chrono::seconds lowSpeedTime = kDefaultLowSpeedTime;
};

struct WebClientOptions {
  static constexpr std::uint64_t kDefaultMaxTextBytes = std::uint64_t{64} << 20;  // 64 MiB
  static constexpr std::uint64_t kDefaultMaxFileBytes = std::uint64_t{1} << 30;   // 1 GiB

  NetTimeouts timeouts;
  // The largest body kept in memory: a page (FetchText) or a form answer.
  // 0: no limit.
  std::uint64_t maxTextBytes = kDefaultMaxTextBytes;
  // The largest download (FetchToFile, FetchQueryToFile). 0: no limit.
  std::uint64_t maxFileBytes = kDefaultMaxFileBytes;
  // A PEM file of certificate authorities trusted instead of the system's
  // store; empty (the default) uses the system's store. Tests point it at
  // their self-signed certificate. Verification itself is never switched off.
  std::string caFile;
  // Keep the libcurl handles, and so their open connections, from one
  // operation to the next. Off: every operation starts from fresh handles.
  bool reuseConnections = true;
  // Send the path of a URL as a browser does: its CP932 characters in UTF-8,
  // percent-encoded. Off: every byte as it is, percent-encoded. The query is
  // sent as it is either way.
  bool utf8Paths = false;

  static constexpr std::chrono::milliseconds kDefaultKeepGoingInterval{100};
  // Called about every keepGoingInterval while a transfer lasts, in every
  // phase (name lookup, connecting, waiting for the answer, reading it).
  // Returning false abandons the transfer at once; the operation fails as
  // stopped. It must not use the client that calls it. Empty: never called.
  std::function<bool()> keepGoing;
  std::chrono::milliseconds keepGoingInterval = kDefaultKeepGoingInterval;
};

}  // namespace pagelark::net
