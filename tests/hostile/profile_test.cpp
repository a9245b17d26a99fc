// pagelark-cli on hostile profiles: tens of megabytes of blank lines, list
// counts of two thousand million, and counters that give billions of start
// URLs. Each runs within its time limit and the suite's memory cap.
#include <gtest/gtest.h>

#include <algorithm>

#include "hostile/HostileRun.h"
#include "messages/RunTexts.h"

namespace pagelark::test {
namespace {

constexpr int kSeconds = 20;

using HugeProfile = HostileRun;

TEST_F(HugeProfile, ThirtyMegabytesOfBlankLines) {
  site.Serve("/start.html", Anchors({"/after.zip"}));
  settings.startUrl = site.Url("/start.html");
  for (int i = 0; i < 15'000'000; ++i) profileTail += "\r\n";
  const ProcessResult result = Run(kSeconds);
  EXPECT_NE(result.out.find(Line("/after.zip", msg::kSucceeded)), std::string::npos) << result.out;
}

// Each list is read as far as its entries go: the enable list's first entry
// lets a file outside the start folder in, and the disable list's entry at
// number 2000000000 keeps another out.
TEST_F(HugeProfile, ListCountsOfTwoThousandMillionWithOneEntry) {
  site.Serve("/s/start.html", Anchors({"../blocked.zip", "../after.zip"}));
  settings.startUrl = site.Url("/s/start.html");
  settings.useFilter = settings.useEnableList = settings.useDisableList = true;
  settings.enableUrls = {"127.0.0.1"};
  for (const char* key : {"KindCount", "EnableListCount", "DisableListCount"}) keyValues[key] = "2000000000";
  profileTail = "DisableURL2000000000=blocked\r\n";
  const ProcessResult result = Run(kSeconds);
  EXPECT_EQ(site.Targets(), (std::vector<std::string>{"/s/start.html", "/after.zip"})) << result.out;
}

// 99999999 x 99999999 start URLs with a file limit of 3.
TEST_F(HugeProfile, CountersOfBillionsOfStartUrls) {
  settings.startUrl = site.Url("/c/@a@/@b@.zip");
  settings.counters[0] = settings.counters[1] = {true, "1", "99999999", "1"};
  settings.maxFiles = "3";
  const ProcessResult result = Run(kSeconds);
  // Sent ahead on several connections, they may arrive in any order.
  std::vector<std::string> targets = site.Targets();
  std::sort(targets.begin(), targets.end());
  EXPECT_EQ(targets, (std::vector<std::string>{"/c/1/1.zip", "/c/1/2.zip", "/c/1/3.zip"})) << result.out;
}

}  // namespace
}  // namespace pagelark::test
