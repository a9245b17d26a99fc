// A hostile web server on 127.0.0.1 for the fault-injection suite: a raw
// socket server that answers, per path, with bodies that never end, lengths
// that lie, resets, trickles, silence, garbage, header floods and redirects
// to other schemes. Paths it does not know get a plain 200 answer, so that
// any link a page makes leads to a file that would be written.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "support/RawSocketServer.h"

namespace pagelark::test {

class HostileSite {
 public:
  using Behaviour = std::function<void(RawConnection&)>;

  // Hostile paths by what they do; a run must fail each of them.
  struct Trap {
    const char* name;
    std::vector<const char*> paths;
    friend void PrintTo(const Trap& trap, std::ostream* out) { *out << trap.name; }
  };
  static const std::vector<Trap>& Traps();

  // Redirects to "file:" and "scp:" name `secretFile`.
  explicit HostileSite(const std::filesystem::path& secretFile);

  std::string Url(std::string_view path) const { return server_.Url(path); }
  unsigned short port() const { return server_.port(); }
  // A 200 answer with `body` (any bytes) for `path`.
  void Serve(const std::string& path, std::string body);
  // The target of every request, in order.
  std::vector<std::string> Targets() const;
  // The raw bytes of every request, in order.
  std::vector<std::string> Requests() const { return server_.Requests(); }
  // The body served for a path without a behaviour of its own.
  static std::string PlainBody(std::string_view target) { return "served " + std::string(target); }

 private:
  void Answer(RawConnection& connection);
  void Route(const std::string& path, Behaviour behaviour);

  mutable std::mutex mutex_;
  std::map<std::string, Behaviour> routes_;
  RawSocketServer server_;
};

}  // namespace pagelark::test
