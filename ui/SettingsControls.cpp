#include "ui/SettingsControls.h"

#include <array>
#include <string>

#include "ui/ControlIds.h"

namespace pagelark::ui {
namespace {

struct TextField {
  int controlId;
  std::string CrawlSettings::*field;
};

struct CheckField {
  int controlId;
  bool CrawlSettings::*field;
};

constexpr std::array<TextField, 5> kTextFields = {{
    {id::kStartUrl, &CrawlSettings::startUrl},
    {id::kDownloadFolder, &CrawlSettings::downloadFolder},
    {id::kMaxFiles, &CrawlSettings::maxFiles},
    {id::kMaxDuplicateLinks, &CrawlSettings::maxDuplicateLinks},
    {id::kConnections, &CrawlSettings::connections},
}};

constexpr std::array<CheckField, 6> kCheckFields = {{
    {id::kBelowStartUrl, &CrawlSettings::belowStartUrlOnly},
    {id::kSameServer, &CrawlSettings::sameServerOnly},
    {id::kOneFolder, &CrawlSettings::oneFolder},
    {id::kUseFilter, &CrawlSettings::useFilter},
    {id::kWriteLog, &CrawlSettings::writeLog},
    {id::kRequisites, &CrawlSettings::requisites},
}};

}  // namespace

SettingsControls::SettingsControls(WindowView& view, WindowState& state)
    : view_(view), state_(state), kinds_(view), counters_(view) {}

CrawlSettings SettingsControls::Read() {
  CrawlSettings s;
  for (const TextField& f : kTextFields) s.*f.field = view_.GetText(f.controlId);
  for (const CheckField& f : kCheckFields) s.*f.field = view_.IsChecked(f.controlId);
  s.indexFile = state_.indexFile;
  s.allKinds = view_.IsChecked(id::kAllFiles);
  s.kinds = kinds_.Kinds();
  s.requestMethod = ReadMethod();
  for (int row = 0; row < kCounterCount; ++row) s.counters[row] = counters_.Read(row);
  s.useEnableList = state_.filters.useEnableList;
  s.useDisableList = state_.filters.useDisableList;
  s.enableUrls = state_.filters.enableUrls;
  s.disableUrls = state_.filters.disableUrls;
  s.bounds = state_.bounds;
  return s;
}

void SettingsControls::Write(const CrawlSettings& s) {
  for (const TextField& f : kTextFields) view_.SetText(f.controlId, s.*f.field);
  for (const CheckField& f : kCheckFields) view_.SetChecked(f.controlId, s.*f.field);
  state_.indexFile = s.indexFile;
  if (s.allKinds) {
    kinds_.OnAllFiles();
  } else {
    kinds_.OnSelectKinds();
  }
  kinds_.SetKinds(s.kinds);
  WriteMethod(s.requestMethod);
  for (int row = 0; row < kCounterCount; ++row) counters_.Write(row, s.counters[row]);
  state_.filters = {s.enableUrls, s.disableUrls, s.useEnableList, s.useDisableList};
  state_.bounds = s.bounds;
}

void SettingsControls::OnGet() { view_.SetChecked(id::kPost, !view_.IsChecked(id::kGet)); }

void SettingsControls::OnPost() { view_.SetChecked(id::kGet, !view_.IsChecked(id::kPost)); }

RequestMethod SettingsControls::ReadMethod() {
  if (view_.IsChecked(id::kGet)) return RequestMethod::kGet;
  if (view_.IsChecked(id::kPost)) return RequestMethod::kPost;
  return RequestMethod::kNone;
}

void SettingsControls::WriteMethod(RequestMethod method) {
  view_.SetChecked(id::kGet, method == RequestMethod::kGet);
  view_.SetChecked(id::kPost, method == RequestMethod::kPost);
}

}  // namespace pagelark::ui
