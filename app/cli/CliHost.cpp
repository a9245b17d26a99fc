#include "app/cli/CliHost.h"

#include "platform/cp932.h"
#include "platform/terminal.h"

namespace pagelark::cli {
namespace {

constexpr char kCaption[] = "PagelarkCGI: ";
constexpr char kEraseLine[] = "\r\x1b[K";

void Write(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// The first `columns` - 1 display columns of a CP932 text: in CP932 a
// double-byte character is also two columns wide.
std::string ClipToColumns(const std::string& text, int columns) {
  if (columns <= 1 || text.size() < static_cast<std::size_t>(columns)) return text;
  std::size_t end = 0;
  while (end < text.size() && end + cp932::CharLength(text, end) < static_cast<std::size_t>(columns)) {
    end += cp932::CharLength(text, end);
  }
  return text.substr(0, end);
}

}  // namespace

std::string TerminalText(const std::string& line) {
  std::string escaped;
  for (char c : line) {
    if (c == '\r')
      escaped += "\\r";
    else if (c == '\n')
      escaped += "\\n";
    else if (c == '\0')
      escaped += "\\0";
    else
      escaped += c;
  }
  return cp932::ToUtf8(escaped);
}

CliHost::CliHost(std::FILE* out, std::FILE* err)
    : out_(out), err_(err), liveStatus_(platform::IsTerminal(err)), linesToTerminal_(platform::IsTerminal(out)) {}

// The last status (the download count) stays visible on its own line.
CliHost::~CliHost() {
  std::fflush(out_);
  if (statusShown_) std::fputs("\n", err_);
}

void CliHost::AppendLine(const std::string& line) {
  if (settings_.writeLog) {
    lines_.resize(static_cast<std::size_t>(lineCount_));
    lines_.push_back(line);
  }
  ++lineCount_;
  ClearStatusLine();
  Write(out_, TerminalText(line) + "\n");
  FlushLines();
  DrawStatusLine();
}

// A terminal gets each line at once. A pipe or a file gets them at least
// every kFlushInterval: a long run writes tens of thousands of lines, and a
// write per line would cost more than the lines.
void CliHost::FlushLines() {
  const auto now = std::chrono::steady_clock::now();
  if (!linesToTerminal_ && now - lastFlush_ < kFlushInterval) return;
  std::fflush(out_);
  lastFlush_ = now;
}

void CliHost::NoteLineReason(int, const std::string& reason) {
  if (!showReasons_) return;
  ClearStatusLine();
  Write(out_, "    (" + TerminalText(reason) + ")\n");
  FlushLines();
  DrawStatusLine();
}

std::string CliHost::Line(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void CliHost::ClearLines() {
  lines_.clear();
  lineCount_ = 0;
}

void CliHost::SetStatus(const std::string& text) {
  status_ = text;
  DrawStatusLine();
}

void CliHost::ShowMessage(const std::string& text) {
  ++messageCount_;
  // The lines before the message come before it, also when both streams go
  // to one file.
  std::fflush(out_);
  ClearStatusLine();
  Write(err_, kCaption + TerminalText(text) + "\n");
  std::fflush(err_);
}

void CliHost::PumpMessages() {
  if (interruptPassed_ || !platform::InterruptRequested() || !onInterrupt_) return;
  interruptPassed_ = true;
  onInterrupt_();
}

void CliHost::DrawStatusLine() {
  if (!liveStatus_ || status_.empty()) return;
  Write(err_, kEraseLine + TerminalText(ClipToColumns(status_, platform::TerminalColumns(err_))));
  std::fflush(err_);
  statusShown_ = true;
}

void CliHost::ClearStatusLine() {
  if (!statusShown_) return;
  std::fputs(kEraseLine, err_);
  statusShown_ = false;
}

}  // namespace pagelark::cli
