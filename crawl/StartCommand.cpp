#include "crawl/StartCommand.h"

#include <utility>

#include "crawl/Counters.h"
#include "messages/RunTexts.h"
#include "platform/fs.h"
#include "settings/SettingNumbers.h"

namespace pagelark {
namespace {

bool EnterDownloadFolder(Host& host, const std::string& folder) {
  if (platform::SetCurrentDirectory(folder)) return true;
  host.ShowMessage(msg::kFolderMissingCreating);
  platform::CreateDirectories(folder);
  if (platform::SetCurrentDirectory(folder)) return true;
  host.ShowMessage(msg::kFolderCannotBeCreated);
  return false;
}

bool CheckCounterFields(Host& host) {
  const CrawlSettings& settings = host.CurrentSettings();
  for (int i = 0; i < kCounterCount; ++i) {
    const CounterSetting& counter = settings.counters[static_cast<std::size_t>(i)];
    if (!counter.enabled) continue;
    const std::pair<const std::string*, SettingField> fields[] = {{&counter.from, SettingField::kCounterFrom},
                                                                  {&counter.to, SettingField::kCounterTo},
                                                                  {&counter.step, SettingField::kCounterStep}};
    for (const auto& [text, field] : fields) {
      if (!text->empty()) continue;
      host.ShowMessage(msg::kValueNotSet);
      host.FocusField(field, i);
      return false;
    }
  }
  return true;
}

// A URL that names nothing: empty, blanks, or a scheme alone ("http://", the
// first-start value).
bool CheckStartUrl(Host& host, const std::string& url) {
  const std::size_t scheme = url.find("://");
  const std::string_view rest =
      scheme == std::string::npos ? std::string_view(url) : std::string_view(url).substr(scheme + 3);
  if (rest.find_first_not_of(" \t") != std::string_view::npos) return true;
  host.ShowMessage(msg::kUrlNotSet);
  host.FocusField(SettingField::kStartUrl, 0);
  return false;
}

// "C:\\dl\\" from a profile written on Windows would be a folder named "C:"
// in the current directory here.
bool CheckFolderCanExist(Host& host, const std::string& folder) {
  if (!platform::IsForeignDrivePath(folder)) return true;
  host.ShowMessage(msg::kForeignFolder + folder);
  host.FocusField(SettingField::kDownloadFolder, 0);
  return false;
}

bool CheckLimit(Host& host, const std::string& field, const std::string& message, std::int32_t& value) {
  value = ParseLeadingInt(field);
  if (value >= 1) return true;
  host.ShowMessage(message);
  return false;
}

}  // namespace

std::string PrepareDownloadFolder(const std::string& typed) {
  if (typed.empty()) return platform::CurrentDirectory();
  return platform::WithTrailingBackslash(platform::AbsolutePath(typed));
}

bool CheckStartSettings(Host& host, StartValues& values) {
  const CrawlSettings& settings = host.CurrentSettings();
  values.startUrl = settings.startUrl;
  if (!CheckStartUrl(host, values.startUrl)) return false;
  if (!CheckFolderCanExist(host, settings.downloadFolder)) return false;
  values.downloadFolder = PrepareDownloadFolder(settings.downloadFolder);
  if (!EnterDownloadFolder(host, values.downloadFolder)) return false;
  if (!CheckCounterFields(host)) return false;
  if (!CheckLimit(host, host.CurrentSettings().maxFiles, msg::kMaxFilesAboveZero, values.maxFilesValue)) return false;
  return CheckLimit(host, host.CurrentSettings().maxDuplicateLinks, msg::kMaxDuplicateLinksAboveZero,
                    values.maxDuplicateLinksValue);
}

}  // namespace pagelark
