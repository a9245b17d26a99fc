// A main window over the fake view, with a run that can be watched and a
// program folder of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FakeWindowView.h"
#include "platform/cp932.h"
#include "support/TempDir.h"
#include "ui/DownloadDlg.h"

namespace pagelark::ui::test {

// CP932 text from the UTF-8 of a test's source.
inline std::string Sjis(const char* utf8) { return cp932::FromUtf8(utf8); }

// A run that goes on while the events queued in the view are pumped, and
// stops at its next test once asked to.
class FakeRunner : public DownloadRunner {
 public:
  FakeRunner(Host& host, std::vector<std::string>& log) : host_(host), log_(log) {}
  StartResult StartDownload(const std::string&, const std::string&) override {
    log_.push_back("start");
    running_ = true;
    stop_ = false;
    for (int step = 0; step < 3 && !stop_; ++step) host_.PumpMessages();
    host_.AppendLine(stop_ ? "stopped" : "finished");
    running_ = false;
    log_.push_back("end");
    return StartResult::kEnded;
  }
  void StopDownload() override {
    log_.push_back("stop");
    stop_ = true;
  }
  bool IsRunning() const override { return running_; }

 private:
  Host& host_;
  std::vector<std::string>& log_;
  bool running_ = false;
  bool stop_ = false;
};

// Records the profile calls instead of reading or writing files.
class RecordingProfiles : public ProfileStore {
 public:
  explicit RecordingProfiles(std::vector<std::string>& log) : log_(log) {}
  void Read(const std::string& path, Host&) override { log_.push_back("read " + path); }
  bool Write(const std::string& path, const std::string&, Host&) override {
    log_.push_back("write " + path);
    return true;
  }
  void Reset(Host&) override { log_.push_back("reset"); }
  std::string LoadStartup(const std::string& programDir, Host&) override {
    log_.push_back("startup");
    return programDir + "Pagelark.ini";
  }
  std::vector<std::string> ReadRecent(const std::string&) override { return recent_; }
  bool WriteRecent(const std::string&, const std::vector<std::string>& paths) override {
    recent_ = paths;
    return true;
  }

 private:
  std::vector<std::string>& log_;
  std::vector<std::string> recent_;
};

struct WindowHarness {
  explicit WindowHarness(bool realProfiles = true) {
    WindowServices services;
    if (realProfiles) {
      services.profiles = MakeSettingsProfileStore();
    } else {
      services.profiles = std::make_unique<RecordingProfiles>(log);
    }
    services.makeRunner = [this](Host& host) { return std::make_unique<FakeRunner>(host, log); };
    services.programDir = programDir.system();
    window = std::make_unique<CDownloadDlg>(view, std::move(services));
  }

  pagelark::test::TempDir programDir;
  FakeWindowView view;
  std::vector<std::string> log;
  std::unique_ptr<CDownloadDlg> window;
};

}  // namespace pagelark::ui::test
