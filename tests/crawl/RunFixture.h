// A run against a loopback site: a recording host, a download folder in a
// temporary tree, and helpers to read what the run stored.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "crawl/CrawlEngine.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "support/FakeHost.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::test {

// A host whose PumpMessages can act, as a user clicking during a run.
class ScriptedHost : public FakeHost {
 public:
  std::function<void(int pump)> onPump;
  void PumpMessages() override {
    FakeHost::PumpMessages();
    if (onPump) onPump(pumpCount);
  }
};

class RunFixture : public ::testing::Test {
 protected:
  RunFixture() {
    previousDirectory_ = platform::CurrentDirectory();
    std::filesystem::create_directory(root.native() / "dl");
    host.settings.downloadFolder = root.system() + "dl";
    host.settings.startUrl = server.Url("/");
    host.settings.maxFiles = "100";
    host.settings.maxDuplicateLinks = "500";
    host.settings.allKinds = true;
    host.settings.requestMethod = RequestMethod::kGet;
    host.settings.bounds.minSpeedTime = "2";  // as short as the client's own time-outs here
  }
  ~RunFixture() override { platform::SetCurrentDirectory(previousDirectory_); }

  static net::WebClientOptions ShortTimeouts() {
    net::WebClientOptions options;
    options.timeouts.connect = std::chrono::milliseconds(2000);
    options.timeouts.lowSpeedTime = std::chrono::seconds(2);
    return options;
  }

  StartResult Run() { return engine.StartDownload(root.system() + "prog\\", "C:\\profiles\\work.ini"); }

  // "http\127.0.0.1<port>\" : the mirrored folder of the server's root.
  std::string SiteFolder() const { return "dl/http/127.0.0.1" + std::to_string(server.port()) + "/"; }
  std::filesystem::path Stored(const std::string& relative) const { return root.native() / (SiteFolder() + relative); }
  std::string ReadStored(const std::string& relative) const { return ReadAll(Stored(relative)); }
  // The progress lines after the empty line and the start line, without the end line.
  std::vector<std::string> RunLines() const {
    if (host.lines.size() < 3) return {};
    return std::vector<std::string>(host.lines.begin() + 2, host.lines.end() - 1);
  }
  static std::string J(const char* utf8) { return cp932::FromUtf8(utf8); }

  TempDir root;
  LoopbackServer server;
  ScriptedHost host;
  CrawlEngine engine{host, ShortTimeouts()};

 private:
  std::string previousDirectory_;
};

}  // namespace pagelark::test
