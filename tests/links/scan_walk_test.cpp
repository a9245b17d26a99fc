// The offset-based walk against the scan loop written the plain way: every
// scanner call lower-cases its own copy of the rest of the page, and the
// caller cuts both copies of the page after every call. Random and mutated
// pages must give the same links, letter case and tag texts; every scanner
// and the rewriting must also survive them (run under the sanitizers too).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "links/LinkRewriting.h"
#include "links/PathFields.h"
#include "links/ScanPass.h"
#include "links/TagScanner.h"
#include "platform/cp932.h"
#include "support/FakeHost.h"

namespace pagelark {
namespace {

namespace plain {

constexpr std::size_t npos = std::string::npos;

bool Holds(std::string_view text, std::string_view part) { return cp932::Find(text, part) != npos; }

std::string FindTag(const std::string& text, const std::string& names, std::size_t& position) {
  const int count = CountFields(names, ",");
  const std::string first = GetField(names, ",", 0);
  if (text.empty()) return {};
  for (std::size_t p = cp932::Find(text, first, cp932::CharLength(text, 0)); p != npos && p < text.size();
       p = cp932::Find(text, first, p + cp932::CharLength(text, p))) {
    const std::size_t q = cp932::FindLast(text.substr(0, p), "<");
    if (q == npos) continue;
    const std::size_t e = cp932::Find(text, ">", p);
    const std::string tag = e == npos ? "" : text.substr(q, e - q + 1);
    bool all = true;
    for (int i = 1; i < count; ++i) all = all && Holds(tag, GetField(names, ",", i));
    if (all) {
      position = q;
      return tag;
    }
  }
  return {};
}

// Steps 3 to 5 of the attribute reading, with the value ending at ">" when
// unquoted and at a line break, and never taking in the ">" that closes a
// tag text.
std::string ReadValue(const std::string& v, std::size_t a, bool tagText) {
  const std::size_t eq = v.find('=', a == npos ? 0 : a + 1);
  if (eq != npos) a = eq;
  std::size_t s = npos;
  bool quoted = false;
  for (std::size_t i = a == npos ? 0 : a + 1; i < v.size() && s == npos; ++i) {
    if (std::string_view(" \t\n\r\"'").find(v[i]) == npos) s = i;
    quoted = quoted || (s == npos && (v[i] == '"' || v[i] == '\''));
  }
  if (s == npos) s = a == npos ? 0 : a;
  std::size_t end = std::min(v.find_first_of(" \t\n\r\"'", s + 1), v.size());
  if (!quoted) end = std::min(end, v.find('>', s));
  if (tagText) end = std::min(end, v.size() - 1);
  const std::string value = v.substr(s, std::max(end, s) - s);
  return value.substr(0, value.find('#'));
}

std::string ScanAttribute(const std::string& text, const std::string& tag, const std::string& attribute,
                          std::size_t& position) {
  const std::string t = FindTag(cp932::ToLower(text), tag + "," + attribute, position);
  if (t.empty()) return "END";
  const std::string value = ReadValue(t, cp932::Find(t, attribute), true);
  position += 1;
  return value;
}

std::string ScanAnchor(const std::string& text, const std::string& tag, std::size_t& position, std::string& tagText) {
  const std::string lower = cp932::ToLower(text);
  const std::string t = FindTag(lower, tag + ",href", position);
  if (t.empty()) return "END";
  if (Holds(t, ".css")) {
    const std::string value = ReadValue(t, cp932::Find(t, "href"), true);
    position += 1;
    return value;
  }
  tagText = t;
  const std::string v = lower.substr(position);
  const std::size_t close = cp932::Find(v, "</" + tag + ">");
  if (close == npos) return "END";
  const std::string value = ReadValue(v, cp932::Find(v, "href"), false);
  position += close + 1;
  return value;
}

// The loop of one pass: letter case from the first occurrence in the rest.
std::vector<std::string> Walk(const ScanPass& pass, const std::string& page) {
  std::vector<std::string> found;
  std::string source = page, lower = cp932::ToLower(page);
  for (;;) {
    std::size_t pos = 0;
    std::string tagText;
    const std::string link =
        pass.anchorScanner ? ScanAnchor(lower, std::string(pass.tagWord), pos, tagText)
                           : ScanAttribute(lower, std::string(pass.tagWord), std::string(pass.attributeWord), pos);
    if (link == "END") return found;
    const std::size_t at = link.empty() ? 0 : cp932::Find(lower, link);
    if (!link.empty()) found.push_back(source.substr(at, link.size()) + " | " + tagText);
    lower.erase(0, pos);
    source.erase(0, pos);
  }
}

}  // namespace plain

std::vector<std::string> Walk(const ScanPass& pass, const std::string& page) {
  std::vector<std::string> found;
  const std::string lower = cp932::ToLower(page);
  WalkLinks(
      pass, page, lower, [] { return true; },
      [&](const FoundLink& link) { found.push_back(std::string(link.link) + " | " + std::string(link.tagText)); });
  return found;
}

// Pages built from pieces that exercise the scanner's quirks: tags of every
// pass, quotes, blanks, fragments, style sheets, stray "<" and ">", closing
// tags, upper case, and double-byte characters whose second byte is "a",
// "h" or "\".
class PageMaker {
 public:
  explicit PageMaker(unsigned seed) : random_(seed) {}

  std::string Random() {
    std::string page;
    const int pieces = Pick(60);
    for (int i = 0; i < pieces; ++i) page += Piece();
    return page;
  }

  std::string Mutate(std::string page) {
    for (int i = Pick(6); i >= 0 && !page.empty(); --i) {
      const std::size_t at = static_cast<std::size_t>(Pick(static_cast<int>(page.size())));
      switch (Pick(3)) {
        case 0:
          page.erase(at, static_cast<std::size_t>(Pick(8)));
          break;
        case 1:
          page.insert(at, Piece());
          break;
        default:
          page[at] = kBytes[static_cast<std::size_t>(Pick(static_cast<int>(kBytes.size())))];
      }
    }
    return page;
  }

 private:
  static constexpr std::string_view kBytes = "<>=\"' \t\n#/.aAhH?\x83\x5C";

  int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

  std::string Piece() {
    static const std::vector<std::string> pieces = {
        "<a href=\"x.html\">",
        "<A HREF=X.HTML>",
        "</a>",
        "<a href='#top'>",
        "<a href=s.css>",
        "<img src=\"p.gif\">",
        "<IMG SRC=P.GIF",
        "<img src=>",
        "<body background=\"bg.gif\">",
        "<option value=\"2\">",
        "<frame src=f.htm>",
        "<link href=\"x.css\">",
        "text ",
        "\x83\x61",
        "\x83\x68ref",
        "\x95\x5C",
        "<",
        ">",
        "=",
        "\"",
        "'",
        " ",
        "\n",
        "href",
        "src=",
        "a",
        "img",
        "x.html#s",
        "sub/Y.Html",
    };
    return pieces[static_cast<std::size_t>(Pick(static_cast<int>(pieces.size())))];
  }

  std::mt19937 random_;
};

TEST(WalkLinks, GivesTheLinksOfThePlainLoop) {
  PageMaker maker(20240611);
  for (int round = 0; round < 3000; ++round) {
    const std::string page = round % 2 ? maker.Mutate(maker.Random()) : maker.Random();
    for (const ScanPass& pass : kScanPasses) {
      ASSERT_EQ(Walk(pass, page), plain::Walk(pass, page)) << "pass " << pass.tagWord << " page: " << page;
    }
  }
}

// Every scanner on its own text, RewriteLink, and whole scan passes over
// random pages: no crash, no read outside the text, no endless loop.
TEST(WalkLinks, SurvivesRandomPages) {
  PageMaker maker(77);
  test::FakeHost host;
  for (int round = 0; round < 2000; ++round) {
    const std::string page = maker.Mutate(maker.Random());
    std::size_t position = 0;
    std::string tagText;
    FindTag(page, "a,href", '<', '>', position);
    ScanAttribute(page, "img", "src", position);
    ScanAnchor(page, "a", "href", position, tagText);
    LinkState state;
    state.downloadFolder = "D:\\dl\\";
    state.page.Assign(page);
    const std::string link = page.substr(0, std::min<std::size_t>(page.size(), 6));
    CandidateOutcome outcome{CandidateOutcome::Result::kAdded, "http://h/d/" + link, {}};
    RewriteLink(state, "http://h/d/p.html", link, round % 3 ? "url" : "src", outcome);
    for (const ScanPass& pass : kScanPasses) RunScanPass(pass, "http://h/d/p.html", state, host, 1000);
    EXPECT_EQ(state.page.pageTextLower(), cp932::ToLower(state.page.pageText()));
  }
}

}  // namespace
}  // namespace pagelark
