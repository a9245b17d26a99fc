// Every text constant in messages/*.h against the UTF-8 comment that ends its
// declaration: the comment, converted to CP932, must equal the literal's bytes.
// The headers are read from the source tree, so an edited text is checked
// as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "messages/RunTexts.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"

namespace pagelark {
namespace {

namespace fs = std::filesystem;

struct TextConstant {
  std::string bytes;    // the literal's pieces, decoded and joined
  std::string comment;  // after "//" on the line of the ";", trimmed
  int line = 0;
};

struct TextHeader {
  std::map<std::string, TextConstant> constants;
  std::size_t constexprCount = 0;  // every "constexpr" in the file
  std::vector<std::string> errors;
};

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
unsigned HexValue(char c) { return static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10); }

// Decodes the escapes of a C string literal's body, as the compiler does: a
// hex escape takes every hex digit that follows, an octal one up to three.
bool Unescape(std::string_view body, std::string& out) {
  static const std::map<char, char> kSimple = {{'n', '\n'}, {'t', '\t'},  {'r', '\r'}, {'a', '\a'},
                                               {'b', '\b'}, {'f', '\f'},  {'v', '\v'}, {'\\', '\\'},
                                               {'"', '"'},  {'\'', '\''}, {'?', '?'}};
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\') {
      out += body[i];
      continue;
    }
    if (++i == body.size()) return false;
    unsigned value = 0;
    if (body[i] == 'x') {
      std::size_t digits = 0;
      for (; i + 1 < body.size() && IsHex(body[i + 1]); ++i, ++digits) {
        value = value * 16 + HexValue(body[i + 1]);
      }
      if (digits == 0 || value > 0xFF) return false;
    } else if (body[i] >= '0' && body[i] <= '7') {
      value = static_cast<unsigned>(body[i] - '0');
      for (int n = 1; n < 3 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7'; ++n) {
        value = value * 8 + static_cast<unsigned>(body[++i] - '0');
      }
      if (value > 0xFF) return false;
    } else if (auto simple = kSimple.find(body[i]); simple != kSimple.end()) {
      value = static_cast<unsigned char>(simple->second);
    } else {
      return false;
    }
    out += static_cast<char>(value);
  }
  return true;
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

// The CP932 text a comment stands for: quotes around the whole comment keep
// leading and trailing blanks and are not part of the text.
std::string CommentText(std::string comment) {
  if (comment.size() >= 2 && comment.front() == '"' && comment.back() == '"')
    comment = comment.substr(1, comment.size() - 2);
  std::string utf8;
  if (!Unescape(comment, utf8)) return "(bad escape in comment)";
  return cp932::FromUtf8(utf8);
}

TextHeader ParseHeader(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string src = buffer.str();
  TextHeader header;
  for (std::size_t at = src.find("constexpr"); at != std::string::npos; at = src.find("constexpr", at + 1)) {
    ++header.constexprCount;
  }
  constexpr std::string_view kHead = "inline constexpr char ";
  for (std::size_t head = src.find(kHead); head != std::string::npos; head = src.find(kHead, head + 1)) {
    const std::size_t nameAt = head + kHead.size();
    const std::size_t nameEnd = src.find("[] =", nameAt);
    if (nameEnd == std::string::npos) break;
    const std::string name = src.substr(nameAt, nameEnd - nameAt);
    TextConstant text;
    text.line = 1 + static_cast<int>(std::count(src.begin(), src.begin() + static_cast<std::ptrdiff_t>(head), '\n'));
    std::size_t i = nameEnd + 4;
    bool ok = true;
    // Pieces separated by blanks and line breaks, up to the ";".
    while (ok) {
      i = src.find_first_not_of(" \t\r\n", i);
      if (i == std::string::npos || src[i] != '"') break;
      std::size_t end = i + 1;
      while (end < src.size() && src[end] != '"' && src[end] != '\n') end += src[end] == '\\' ? 2 : 1;
      ok =
          end < src.size() && src[end] == '"' && Unescape(std::string_view(src).substr(i + 1, end - i - 1), text.bytes);
      i = end + 1;
    }
    if (!ok || i == std::string::npos || src[i] != ';') {
      header.errors.push_back(name + " (line " + std::to_string(text.line) + "): not a string literal");
      continue;
    }
    const std::string rest = Trim(src.substr(i + 1, src.find('\n', i) - i - 1));
    if (!rest.starts_with("//")) {
      header.errors.push_back(name + " (line " + std::to_string(text.line) + "): no comment after the ';'");
      continue;
    }
    text.comment = Trim(rest.substr(2));
    header.constants.emplace(name, std::move(text));
  }
  return header;
}

class TextHeaders : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const auto& entry : fs::directory_iterator(PAGELARK_MESSAGES_DIR)) {
      if (entry.path().extension() == ".h")
        headers_.emplace(entry.path().filename().string(), ParseHeader(entry.path()));
    }
  }
  static inline std::map<std::string, TextHeader> headers_;
};

TEST_F(TextHeaders, EveryConstantIsParsed) {
  ASSERT_EQ(headers_.count("RunTexts.h"), 1u);
  ASSERT_EQ(headers_.count("WindowTexts.h"), 1u);
  for (const auto& [file, header] : headers_) {
    SCOPED_TRACE(file);
    for (const std::string& error : header.errors) ADD_FAILURE() << error;
    // Any other form of constant (no "inline", string_view, pointer) is
    // counted here but not parsed, and so not checked.
    EXPECT_EQ(header.constants.size() + header.errors.size(), header.constexprCount);
    EXPECT_FALSE(header.constants.empty());
  }
}

TEST_F(TextHeaders, EveryCommentIsTheText) {
  for (const auto& [file, header] : headers_) {
    for (const auto& [name, text] : header.constants) {
      const std::string fromComment = CommentText(text.comment);
      EXPECT_EQ(text.bytes, fromComment) << file << ":" << text.line << " " << name << " // " << text.comment;
    }
  }
}

// The parser reads what the compiler reads: one-line and split declarations,
// hex escapes followed by letters, an escaped trail byte 0x5C, "\n", and ";"
// inside the text.
TEST_F(TextHeaders, ParsedBytesAreTheCompiledTexts) {
  struct Row {
    const char* file;
    const char* name;
    std::string_view compiled;
  };
  for (const Row& r : {
           Row{"RunTexts.h", "kFolderCannotBeCreated", msg::kFolderCannotBeCreated},
           Row{"WindowTexts.h", "kMenuShowHtml", ui::kMenuShowHtml},
           Row{"WindowTexts.h", "kMsgCreateFileSuffix", ui::kMsgCreateFileSuffix},
           Row{"WindowTexts.h", "kProfileFilter", ui::kProfileFilter},
           Row{"WindowTexts.h", "kAboutProduct", ui::kAboutProduct},
       }) {
    const auto& constants = headers_[r.file].constants;
    const auto found = constants.find(r.name);
    ASSERT_NE(found, constants.end()) << r.name;
    EXPECT_EQ(found->second.bytes, r.compiled) << r.name;
  }
}

TEST(TextComments, QuotesKeepBlanksAndEscapesAreDecoded) {
  EXPECT_EQ(CommentText("\" 時間= \""), cp932::FromUtf8(" 時間= "));
  EXPECT_EQ(CommentText("a\\nb\\\\"), "a\nb\\");
}

}  // namespace
}  // namespace pagelark
