#include "settings/ProfileDefaults.h"

#include "platform/user_folders.h"
#include "settings/ProfileKeys.h"

namespace pagelark {
namespace {

CrawlSettings CommonStartValues() {
  CrawlSettings settings;
  settings.startUrl = "http://";
  settings.downloadFolder = platform::UserDownloadFolder();
  settings.allKinds = true;
  settings.kinds = {"htm", "html"};
  return settings;
}

}  // namespace

CrawlSettings NewProfileSettings() {
  CrawlSettings settings = CommonStartValues();
  settings.maxFiles = "1000";
  settings.maxDuplicateLinks = "500";
  settings.requestMethod = RequestMethod::kGet;
  settings.sameServerOnly = true;
  settings.useDisableList = true;
  settings.requisites = true;
  settings.connections = keys::kNewProfileConnections;
  return settings;
}

CrawlSettings FirstStartSettings() {
  CrawlSettings settings = CommonStartValues();
  settings.maxFiles = "100";
  settings.requisites = true;
  settings.connections = keys::kNewProfileConnections;
  return settings;
}

void ResetProfile(Host& host) {
  CrawlSettings settings = NewProfileSettings();
  settings.indexFile = host.CurrentSettings().indexFile;
  host.ClearLines();
  host.SetStatus("");
  host.ApplySettings(settings);
}

}  // namespace pagelark
