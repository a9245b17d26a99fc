// The INI module over any bytes: a document gives back the bytes it was read
// from, every key it names can be found, reads fit their buffers, a profile
// reads into settings; and after edits (chosen from the same bytes) the
// document answers every question exactly as the file it writes would when
// read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/IniLine.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileReader.h"

namespace pagelark::fuzz {
namespace {

using ini::IniDocument;

// The document as seen through its answers: every section name, and for the
// first section of each name its key names and their values.
std::string Answers(const IniDocument& document) {
  std::string answers;
  for (const std::string& section : document.SectionNames()) {
    answers.append("[").append(section).append("]\n");
    for (const std::string& key : document.KeyNames(section)) {
      const std::optional<std::string_view> value = document.Find(section, key);
      Check(value.has_value(), "every key named in a section is found", document.Bytes());
      answers.append(key).append("=").append(*value).append("\n");
    }
  }
  return answers;
}

std::string PickName(FuzzedDataProvider& input, const std::vector<std::string>& names, std::string_view fixed) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return std::string(fixed);
    case 1:
      if (!names.empty()) return names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
      return {};
    default:
      return input.ConsumeRandomLengthString(24);
  }
}

void Edit(IniDocument& document, FuzzedDataProvider& input) {
  const std::string section = PickName(input, document.SectionNames(), keys::kSection);
  const std::string key = PickName(input, document.KeyNames(section), keys::kUrl);
  const std::string before = document.Bytes();
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
    case 1: {
      const std::string value = input.ConsumeRandomLengthString(40);
      if (!document.Set(section, key, value)) {
        Check(document.Bytes() == before, "a refused write changes nothing", section + "|" + key + "|" + value);
        break;
      }
      const std::optional<std::string_view> found = document.Find(section, key);
      Check(found && *found == ini::StripOuterQuotes(ini::TrimBlanks(value)), "a written value reads back",
            section + "|" + key + "|" + value);
      break;
    }
    case 2:
      document.RemoveKey(section, key);
      break;
    default:
      document.RemoveSection(section);
  }
  Check(Answers(IniDocument(document.Bytes())) == Answers(document), "an edited document answers as its file would",
        before);
}

}  // namespace
}  // namespace pagelark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pagelark;
  using namespace pagelark::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ini::IniDocument document{std::string(bytes)};
  Check(document.Bytes() == bytes, "a document gives back the bytes it was read from", bytes);
  Answers(document);
  SettingsFromProfile(document);

  FuzzedDataProvider input(data, size);
  const auto bufferSize = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::string value = ini::ReadString(document, keys::kSection, keys::kUrl, "  default  ", bufferSize);
  Check(value.size() < std::max<std::size_t>(bufferSize, 1), "a read fits its buffer", bytes);
  const std::string list = ini::PackNameList(document.SectionNames(), bufferSize);
  Check(list.size() < std::max<std::size_t>(bufferSize, 1), "a name list fits its buffer", bytes);

  for (int edits = input.ConsumeIntegralInRange(1, 4); edits > 0; --edits) Edit(document, input);
  SettingsFromProfile(document);
  return 0;
}
