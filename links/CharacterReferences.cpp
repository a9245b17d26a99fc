#include "links/CharacterReferences.h"

#include <array>
#include <utility>

namespace pagelark {
namespace {

constexpr std::array<std::pair<std::string_view, char>, 5> kNamed = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
}};

bool IsDigit(char c, bool hex) {
  return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The numeric reference at `at` ("&#..."): its character and length.
bool ReadNumeric(std::string_view text, std::size_t at, char& decoded, std::size_t& length) {
  std::size_t i = at + 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t digits = i;
  int code = 0;
  for (; i < text.size() && IsDigit(text[i], hex) && code < 128; ++i)
    code = code * (hex ? 16 : 10) + DigitValue(text[i]);
  if (i == digits || code == 0 || code >= 128 || (i < text.size() && IsDigit(text[i], hex))) return false;
  decoded = static_cast<char>(code);
  length = i - at + (i < text.size() && text[i] == ';' ? 1 : 0);
  return true;
}

bool ReadNamed(std::string_view text, std::size_t at, char& decoded, std::size_t& length) {
  for (const auto& [name, character] : kNamed) {
    const std::size_t end = at + 1 + name.size();
    if (!text.substr(at + 1).starts_with(name) || end >= text.size() || text[end] != ';') continue;
    decoded = character;
    length = name.size() + 2;
    return true;
  }
  return false;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    char decoded = 0;
    std::size_t length = 0;
    const bool numeric = i + 1 < value.size() && value[i + 1] == '#';
    const bool reference =
        value[i] == '&' && (numeric ? ReadNumeric(value, i, decoded, length) : ReadNamed(value, i, decoded, length));
    if (reference) {
      out += decoded;
      i += length;
    } else {
      out += value[i++];
    }
  }
  return out;
}

std::size_t FragmentStart(std::string_view value) {
  for (std::size_t at = value.find('#'); at != std::string_view::npos; at = value.find('#', at + 1)) {
    if (at == 0 || value[at - 1] != '&') return at;
  }
  return std::string_view::npos;
}

}  // namespace pagelark
