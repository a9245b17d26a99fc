#include <gtest/gtest.h>

#include "app/cli/CliHost.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliProfile.h"
#include "platform/cp932.h"

namespace pagelark::cli {
namespace {

TEST(ParseCliOptions, TakesEveryOptionInBothForms) {
  std::string error;
  const auto options = ParseCliOptions({"--program-dir", "/p", "--set", "URL=http://h/?a=b", "--set=Count=5",
                                        "--save-as=/x.ini", "--verbose", "prof.ini"},
                                       error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->programDir, "/p");
  EXPECT_EQ(options->sets,
            (std::vector<std::pair<std::string, std::string>>{{"URL", "http://h/?a=b"}, {"Count", "5"}}));
  EXPECT_EQ(options->saveAs, "/x.ini");
  EXPECT_EQ(options->profile, "prof.ini");
  EXPECT_TRUE(options->verbose);
}

TEST(ParseCliOptions, RefusesWhatItDoesNotKnow) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--quiet"},
                                                                                    {"--set"},
                                                                                    {"--set", "noequals"},
                                                                                    {"--set", "=v"},
                                                                                    {"a.ini", "b.ini"},
                                                                                    {"http://h/", "a.ini"},
                                                                                    {"a.ini", "https://h/"},
                                                                                    {"--check", "dl", "http://h/"},
                                                                                    {"--program-dir"},
                                                                                    {"--check"},
                                                                                    {"--check", "dl", "a.ini"},
                                                                                    {"--check=dl", "--set", "URL=x"}}) {
    std::string error;
    EXPECT_FALSE(ParseCliOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(ParseCliOptions, TellsAStartUrlFromAProfilePath) {
  struct Case {
    const char* arg;
    bool url;
  };
  for (const Case& c :
       {Case{"http://h/", true}, Case{"HTTPS://h/a?b", true}, Case{"http://", true}, Case{"http.ini", false},
        Case{"https:/h.ini", false}, Case{"ftp://h/", false}, Case{"dir/http://h", false}}) {
    std::string error;
    const auto options = ParseCliOptions({c.arg}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->startUrl, c.url ? c.arg : "") << c.arg;
    EXPECT_EQ(options->profile, c.url ? "" : c.arg) << c.arg;
  }
}

TEST(ParseCliOptions, HelpAndVersionAreFlags) {
  std::string error;
  const auto options = ParseCliOptions({"--help", "--version"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->help);
  EXPECT_TRUE(options->version);
}

TEST(IsProfileKey, KnowsPlainAndNumberedKeys) {
  for (const char* key : {"URL", "url", "DownLoad", "KindCount", "Kind1", "Kind12", "Cgi6", "EnableURL3", "DISABLEURL1",
                          "MaxPageMiB", "maxfilemib", "MinSpeed", "MinSpeedTime"})
    EXPECT_TRUE(IsProfileKey(key)) << key;  // "Kind" is KIND: names ignore case
  for (const char* key : {"Kind0", "Kind1a", "From7", "Step12", "Nope", "INI", "", "MinSpeed1", "MaxPage"})
    EXPECT_FALSE(IsProfileKey(key)) << key;
}

TEST(EffectiveSettings, SetsAreReadAsIfTheFileHeldThem) {
  std::string error;
  const auto settings =
      EffectiveSettings(std::string("[\x8F\x89\x8A\xFA\x95\x5C\x8E\xA6]\r\nURL=http://a/\r\nServer=on\r\n"),
                        {{"Server", "On"},
                         {"KindCount", "1"},
                         {"Kind1", "gif"},
                         {"DownLoad", "表"},
                         {"MaxPageMiB", "0"},
                         {"minspeedtime", "5"}},
                        error);
  ASSERT_TRUE(settings) << error;
  EXPECT_EQ(settings->startUrl, "http://a/");
  EXPECT_FALSE(settings->sameServerOnly);  // only the exact "on" sets it
  EXPECT_EQ(settings->kinds, std::vector<std::string>{"gif"});
  EXPECT_EQ(settings->downloadFolder, "\x95\x5C");
  EXPECT_EQ(settings->bounds, (RunBounds{"0", "1024", "100", "5"}));
}

TEST(EffectiveSettings, StartsFromTheNewProfileDefaults) {
  std::string error;
  const auto settings = EffectiveSettings(std::nullopt, {}, error);
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->startUrl, "http://");
  EXPECT_EQ(settings->maxFiles, "1000");
  EXPECT_TRUE(settings->sameServerOnly);
  EXPECT_EQ(settings->kinds, (std::vector<std::string>{"htm", "html"}));
  EXPECT_EQ(settings->bounds, (RunBounds{"64", "1024", "100", "30"}));
}

TEST(EffectiveSettings, AStartUrlRunsANewProfileIntoTheCurrentFolderUnlessSetOtherwise) {
  std::string error;
  const auto settings = EffectiveSettings(std::nullopt, StartUrlSets("http://h/a/", "/work/表/", {}), error);
  ASSERT_TRUE(settings) << error;
  EXPECT_EQ(settings->startUrl, "http://h/a/");
  EXPECT_EQ(settings->downloadFolder, "/work/\x95\x5C/");
  EXPECT_EQ(settings->maxFiles, "1000");  // the rest is a new profile's
  const auto moved = EffectiveSettings(
      std::nullopt, StartUrlSets("http://h/a/", "/work/", {{"downLoad", "/dl/"}, {"Count", "5"}}), error);
  ASSERT_TRUE(moved) << error;
  EXPECT_EQ(moved->downloadFolder, "/dl/");
  EXPECT_EQ(moved->maxFiles, "5");
}

TEST(EffectiveSettings, RefusesUnknownKeysAndLineBreaks) {
  std::string error;
  EXPECT_FALSE(EffectiveSettings(std::nullopt, {{"Bogus", "1"}}, error));
  EXPECT_FALSE(EffectiveSettings(std::nullopt, {{"URL", "a\r\n[x]"}}, error));
  EXPECT_FALSE(EffectiveSettings(std::nullopt, {{"URL", "http://h/\xF0\x9F\x98\x80"}}, error));  // an emoji
  EXPECT_TRUE(EffectiveSettings(std::nullopt, {{"URL", "http://h/〓"}}, error));
}

TEST(TerminalText, KeepsOneLineOneLine) {
  EXPECT_EQ(TerminalText(std::string("a\r\nb\0c\t\x95\x5C", 9)), "a\\r\\nb\\0c\t表");
}

}  // namespace
}  // namespace pagelark::cli
