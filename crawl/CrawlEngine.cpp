#include "crawl/CrawlEngine.h"

namespace pagelark {

// Placeholder until the run is built: runs nothing.
struct CrawlEngine::Impl {
  explicit Impl(Host& h) : host(h) {}
  Host& host;
  bool running = false;
  bool stopRequested = false;
  std::string indexFile;
};

CrawlEngine::CrawlEngine(Host& host, WebClientOptions) : impl_(std::make_unique<Impl>(host)) {}
CrawlEngine::~CrawlEngine() = default;

int CrawlEngine::StartDownload(const std::string&, const std::string&) { return 0; }
void CrawlEngine::StopDownload() { impl_->stopRequested = true; }
bool CrawlEngine::IsRunning() const { return impl_->running; }
const std::string& CrawlEngine::IndexFile() const { return impl_->indexFile; }

}  // namespace pagelark
