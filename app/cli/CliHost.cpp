#include "app/cli/CliHost.h"

#include "platform/cp932.h"
#include "platform/terminal.h"

namespace pagelark::cli {
namespace {

constexpr char kCaption[] = "PagelarkCGI: ";
constexpr char kEraseLine[] = "\r\x1b[K";

}  // namespace

CliHost::CliHost(std::FILE* out, std::FILE* err) : out_(out), err_(err), liveStatus_(platform::IsTerminal(err)) {}

// The last status (the download count) stays visible on its own line.
CliHost::~CliHost() {
  if (statusShown_) std::fputs("\n", err_);
}

void CliHost::AppendLine(const std::string& line) {
  lines_.push_back(line);
  ClearStatusLine();
  std::fprintf(out_, "%s\n", cp932::ToUtf8(line).c_str());
  std::fflush(out_);
  if (!status_.empty()) SetStatus(status_);
}

std::string CliHost::Line(int index) {
  if (index < 0 || index >= LineCount()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void CliHost::SetStatus(const std::string& text) {
  status_ = text;
  if (!liveStatus_) return;
  std::fprintf(err_, "%s%s", kEraseLine, cp932::ToUtf8(text).c_str());
  std::fflush(err_);
  statusShown_ = !text.empty();
}

void CliHost::ShowMessage(const std::string& text) {
  ++messageCount_;
  ClearStatusLine();
  std::fprintf(err_, "%s%s\n", kCaption, cp932::ToUtf8(text).c_str());
  std::fflush(err_);
}

void CliHost::ClearStatusLine() {
  if (!statusShown_) return;
  std::fputs(kEraseLine, err_);
  statusShown_ = false;
}

}  // namespace pagelark::cli
