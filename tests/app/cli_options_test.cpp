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
                                                                                    {"--program-dir"},
                                                                                    {"--check"},
                                                                                    {"--check", "dl", "a.ini"},
                                                                                    {"--check=dl", "--set", "URL=x"}}) {
    std::string error;
    EXPECT_FALSE(ParseCliOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
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
