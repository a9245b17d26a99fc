#include "hostile/HostileSite.h"

#include <chrono>

namespace pagelark::test {
namespace {

using namespace std::chrono_literals;

std::string Head(std::string_view status, std::string_view fields) {
  return "HTTP/1.1 " + std::string(status) + "\r\n" + std::string(fields) + "Connection: close\r\n\r\n";
}

std::string Length(std::uint64_t bytes) { return "Content-Length: " + std::to_string(bytes) + "\r\n"; }

HostileSite::Behaviour Fixed(std::string bytes) {
  return [bytes = std::move(bytes)](RawConnection& connection) { connection.Send(bytes); };
}

HostileSite::Behaviour Ok(std::string body) { return Fixed(Head("200 OK", Length(body.size())) + body); }

HostileSite::Behaviour Redirect(std::string location) {
  return Fixed(Head("302 Found", "Location: " + location + "\r\n" + Length(0)));
}

// Chunks of 64 KiB for as long as the client reads them.
void Endless(RawConnection& connection) {
  const std::string chunk = "10000\r\n" + std::string(1 << 16, 'e') + "\r\n";
  if (!connection.Send(Head("200 OK", "Transfer-Encoding: chunked\r\n"))) return;
  while (connection.Send(chunk)) {
  }
}

// 5 GiB announced, a few bytes sent, then silence.
void HugeLength(RawConnection& connection) {
  if (connection.Send(Head("200 OK", Length(std::uint64_t{5} << 30)) + "abc")) connection.Hold();
}

// One byte a second.
void Trickle(RawConnection& connection) {
  if (!connection.Send(Head("200 OK", Length(100)))) return;
  while (connection.Send("t") && connection.Pause(1s)) {
  }
}

// A reset after 64 KiB of an announced 512 KiB.
void ResetMidBody(RawConnection& connection) {
  if (connection.Send(Head("200 OK", Length(1 << 19)) + std::string(1 << 16, 'r'))) connection.Reset();
}

// Header lines for as long as the client reads them.
void HeaderFlood(RawConnection& connection) {
  const std::string lines = [] {
    std::string text;
    for (int i = 0; i < 512; ++i) text += "X-Flood: " + std::string(100, 'h') + "\r\n";
    return text;
  }();
  if (!connection.Send("HTTP/1.1 200 OK\r\n")) return;
  while (connection.Send(lines)) {
  }
}

}  // namespace

const std::vector<HostileSite::Trap>& HostileSite::Traps() {
  static const std::vector<Trap> traps = {
      {"EndlessPage", {"/endless.html"}},
      {"EndlessFile", {"/endless.zip"}},
      {"HugeLengthPage", {"/huge.html"}},
      {"HugeLengthFile", {"/huge.zip"}},
      {"PageOverItsCap", {"/big.html"}},
      {"FileOverItsCap", {"/big.zip"}},
      {"TricklingBody", {"/trickle.zip"}},
      {"ResetMidBody", {"/reset.zip"}},
      {"BodyShorterThanItsLength", {"/short.html"}},
      {"GarbageStatusLine", {"/garbage.html"}},
      {"HeaderFlood", {"/flood.html"}},
      {"RedirectsToOtherSchemes",
       {"/to-file.html", "/to-file.zip", "/to-ftp.html", "/to-gopher.zip", "/to-dict.html", "/to-scp.zip"}},
      {"RedirectLoop", {"/loop.html"}},
      {"ServerNeverAnswers", {"/silent.html"}},
  };
  return traps;
}

HostileSite::HostileSite(const std::filesystem::path& secretFile)
    : server_([this](RawConnection& connection) { Answer(connection); }) {
  const std::string big(2 << 20, 'b');  // 2 MiB: over a cap of 1 MiB
  const std::string here = "127.0.0.1:" + std::to_string(port());
  Route("/endless.html", Endless);
  Route("/endless.zip", Endless);
  Route("/huge.html", HugeLength);
  Route("/huge.zip", HugeLength);
  Route("/big.html", Ok(big));
  Route("/big.zip", Ok(big));
  Route("/trickle.zip", Trickle);
  Route("/reset.zip", ResetMidBody);
  Route("/short.html", Fixed(Head("200 OK", Length(100'000)) + std::string(1000, 's')));
  Route("/long.zip", Fixed(Head("200 OK", Length(10)) + "0123456789" + std::string(1 << 16, 'L')));
  Route("/garbage.html", Fixed("\x16\x03\x01 garbage\r\n\r\n<html>"));
  Route("/flood.html", HeaderFlood);
  Route("/to-file.html", Redirect("file://" + secretFile.string()));
  Route("/to-file.zip", Redirect("file://" + secretFile.string()));
  Route("/to-ftp.html", Redirect("ftp://" + here + "/x.html"));
  Route("/to-gopher.zip", Redirect("gopher://" + here + "/1x"));
  Route("/to-dict.html", Redirect("dict://" + here + "/d:x"));
  Route("/to-scp.zip", Redirect("scp://" + here + secretFile.string()));
  Route("/loop.html", Redirect("/loop.html"));
  Route("/silent.html", [](RawConnection& connection) { connection.Hold(); });
}

void HostileSite::Route(const std::string& path, Behaviour behaviour) {
  const std::lock_guard lock(mutex_);
  routes_[path] = std::move(behaviour);
}

void HostileSite::Serve(const std::string& path, std::string body) { Route(path, Ok(std::move(body))); }

std::vector<std::string> HostileSite::Targets() const {
  std::vector<std::string> targets;
  for (const std::string& request : server_.Requests()) targets.push_back(ParseRawRequest(request).target);
  return targets;
}

void HostileSite::Answer(RawConnection& connection) {
  const std::string target = connection.Target();
  Behaviour behaviour;
  {
    const std::lock_guard lock(mutex_);
    const auto found = routes_.find(target);
    if (found != routes_.end()) behaviour = found->second;
  }
  if (behaviour) {
    behaviour(connection);
  } else {
    Ok(PlainBody(target))(connection);
  }
}

}  // namespace pagelark::test
