#include "crawl/CrawlEngine.h"
#include "ui/DownloadRunner.h"

namespace pagelark::ui {
namespace {

class CrawlRunner final : public DownloadRunner {
 public:
  explicit CrawlRunner(Host& host) : engine_(host) {}
  StartResult StartDownload(const std::string& programDir, const std::string& profilePath) override {
    return engine_.StartDownload(programDir, profilePath);
  }
  void StopDownload() override { engine_.StopDownload(); }
  bool IsRunning() const override { return engine_.IsRunning(); }

 private:
  CrawlEngine engine_;
};

}  // namespace

std::unique_ptr<DownloadRunner> MakeCrawlRunner(Host& host) { return std::make_unique<CrawlRunner>(host); }

}  // namespace pagelark::ui
