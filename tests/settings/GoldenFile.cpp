#include "GoldenFile.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace pagelark::test {
namespace {

// Reads the tokens of one line: words, numbers, NULL, <absent> and quoted
// strings with the escapes \\ \" \r \n \t \xNN.
class Tokens {
 public:
  explicit Tokens(const std::string& line) : line_(line) {}

  std::string Word() {
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ' ') ++pos_;
    return line_.substr(start, pos_ - start);
  }
  std::size_t Number() { return std::stoul(Word()); }
  // A quoted string, or nullopt for NULL and <absent>.
  MaybeText Text() {
    SkipBlanks();
    if (pos_ < line_.size() && line_[pos_] != '"') {
      const std::string word = Word();
      if (word != "NULL" && word != "<absent>") Fail("expected a string");
      return std::nullopt;
    }
    return Quoted();
  }
  // "N \"bytes\"" or "<absent>".
  MaybeText FileText() {
    SkipBlanks();
    if (line_.compare(pos_, 8, "<absent>") == 0) return Text();
    const std::size_t size = Number();
    MaybeText bytes = Text();
    if (!bytes || bytes->size() != size) Fail("file size does not match");
    return bytes;
  }

 private:
  void SkipBlanks() {
    while (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error(what + " in golden line: " + line_);
  }
  std::string Quoted() {
    std::string bytes;
    for (++pos_; pos_ < line_.size() && line_[pos_] != '"'; ++pos_) {
      if (line_[pos_] != '\\') {
        bytes += line_[pos_];
        continue;
      }
      bytes += Escaped(line_.at(++pos_));
    }
    if (pos_++ >= line_.size()) Fail("unterminated string");
    return bytes;
  }
  char Escaped(char code) {
    switch (code) {
      case 'r':
        return '\r';
      case 'n':
        return '\n';
      case 't':
        return '\t';
      case 'x':
        pos_ += 2;
        return static_cast<char>(std::stoi(line_.substr(pos_ - 1, 2), nullptr, 16));
      default:
        return code;
    }
  }

  const std::string& line_;
  std::size_t pos_ = 0;
};

std::size_t Indent(const std::string& line) { return line.find_first_not_of(' '); }

GoldenOp MakeOp(GoldenOp::Kind kind) {
  GoldenOp op;
  op.kind = kind;
  return op;
}

// "get SEC KEY DEF SIZE" or "put SEC KEY VAL".
GoldenOp ReadCall(GoldenOp::Kind kind, Tokens& tokens) {
  GoldenOp op = MakeOp(kind);
  op.section = tokens.Text();
  op.key = tokens.Text();
  op.text = tokens.Text();
  if (kind == GoldenOp::Kind::kGet) op.size = tokens.Number();
  return op;
}

// A line under an operation (indented by four) adds to that operation.
void ReadResult(const std::string& word, Tokens& tokens, GoldenOp& op) {
  if (word == "ret") op.ret = static_cast<int>(tokens.Number());
  if (word == "buf") op.buf = tokens.Text().value_or("");
  if (word == "file") op.file = tokens.FileText();
}

void ReadCaseLine(const std::string& word, Tokens& tokens, GoldenCase& current, int& numbered) {
  using Kind = GoldenOp::Kind;
  if (word == "init") current.init = tokens.FileText();
  if (word == "final") current.final = tokens.FileText();
  if (word == "get") current.ops.push_back(ReadCall(Kind::kGet, tokens));
  if (word == "put") current.ops.push_back(ReadCall(Kind::kPut, tokens));
  if (word == "file") current.ops.push_back(MakeOp(Kind::kDump));
  if (word == "dumpat") current.ops.push_back(MakeOp(Kind::kDumpAt));
  if (word == "deleteat") current.ops.push_back(MakeOp(Kind::kDeleteAt));
  if (word == "readonly") current.ops.push_back(MakeOp(Kind::kReadOnly));
  if (word == "writable") current.ops.push_back(MakeOp(Kind::kWritable));
  if (word == "file") current.ops.back().file = tokens.FileText();
  if (word == "dumpat" || word == "deleteat") current.ops.back().where = tokens.Text().value();
  if (word == "get" || word == "put") current.ops.back().number = ++numbered;
}

}  // namespace

std::vector<GoldenCase> ParseGoldenFile(const std::string& text) {
  std::vector<GoldenCase> cases;
  std::istringstream in(text);
  int numbered = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    Tokens tokens(line);
    const std::string word = tokens.Word();
    if (word == "case") {
      cases.emplace_back().name = tokens.Word();
      numbered = 0;
    } else if (word != "end" && !cases.empty()) {
      GoldenCase& current = cases.back();
      if (Indent(line) >= 4 && !current.ops.empty()) {
        ReadResult(word, tokens, current.ops.back());
      } else {
        ReadCaseLine(word, tokens, current, numbered);
      }
    }
  }
  return cases;
}

}  // namespace pagelark::test
