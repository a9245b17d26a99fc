// The offset-based walk against the scan loop written the plain way: the
// page's tags found byte by byte, every search a fresh one over the rest of
// the page, and the rest cut after every call. Random and mutated
// pages must give the same links, letter case and tag texts; every scanner
// and the rewriting must also survive them (run under the sanitizers too).
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "links/CharacterReferences.h"
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
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool Quote(char c) { return c == '"' || c == '\''; }
bool Letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Tag {
  std::size_t open, close;
};

// The tags of the whole lower-cased page, byte by byte: "<" + letter or "/"
// up to the first ">" outside a quoted value; nothing inside comments,
// declarations, or script and style text.
std::vector<Tag> Tags(const std::string& lower) {
  std::vector<Tag> tags;
  const std::size_t n = lower.size();
  for (std::size_t i = 0; i < n;) {
    if (lower.compare(i, 4, "<!--") == 0) {
      const std::size_t end = lower.find("-->", i + 4);
      i = end == npos ? n : end + 3;
    } else if (lower[i] == '<' && i + 1 < n && (lower[i + 1] == '!' || lower[i + 1] == '?')) {
      const std::size_t end = lower.find('>', i + 2);
      i = end == npos ? n : end + 1;
    } else if (lower[i] == '<' && i + 1 < n && (Letter(lower[i + 1]) || lower[i + 1] == '/')) {
      std::size_t close = npos;
      char quote = 0;
      bool equals = false;
      for (std::size_t j = i + 1; j < n && close == npos; ++j) {
        const char c = lower[j];
        if (quote) {
          if (c == quote) quote = 0;
        } else if (c == '>') {
          close = j;
        } else if (equals && Quote(c) && lower.find(c, j + 1) != npos) {
          quote = c;
          equals = false;
        } else if (c == '=') {
          equals = true;
        } else if (!Blank(c)) {
          equals = false;
        }
      }
      if (close == npos) break;
      tags.push_back({i, close});
      std::string name;
      for (std::size_t j = i + 1; j < n && Letter(lower[j]); ++j) name += lower[j];
      i = close + 1;
      if (name == "script" || name == "style") i = std::min(lower.find("</" + name, close + 1), n);
    } else {
      ++i;
    }
  }
  return tags;
}

// The page as the loop sees it: its tags, and how much of it has been cut.
struct Page {
  std::string whole;
  std::vector<Tag> tags;
  std::size_t cut = 0;
};

std::string FindTag(const Page& page, const std::string& rest, const std::string& names, std::size_t& position) {
  const int count = CountFields(names, ",");
  const std::string first = GetField(names, ",", 0);
  if (rest.empty()) return {};
  for (std::size_t p = cp932::Find(rest, first, cp932::CharLength(rest, 0)); p != npos && p < rest.size();
       p = cp932::Find(rest, first, p + cp932::CharLength(rest, p))) {
    const std::size_t at = page.cut + p;
    for (const Tag& tag : page.tags) {
      if (tag.open < page.cut || tag.open >= at || at + first.size() > tag.close + 1) continue;
      const std::string text = page.whole.substr(tag.open, tag.close - tag.open + 1);
      bool all = true;
      for (int i = 1; i < count; ++i) all = all && Holds(text, GetField(names, ",", i));
      if (!all) continue;
      position = tag.open - page.cut;
      return text;
    }
  }
  return {};
}

// The value of the attribute `name` in a tag text: behind the first `name`
// that follows a blank, "/" or quote and has "=" behind it. `at` becomes
// where the value starts in the tag text.
std::string ReadValue(const std::string& t, const std::string& name, std::size_t& at) {
  const std::size_t end = t.size() - 1;
  for (std::size_t a = cp932::Find(t, name, 1); a != npos && a + name.size() <= end; a = cp932::Find(t, name, a + 1)) {
    if (!Blank(t[a - 1]) && t[a - 1] != '/' && !Quote(t[a - 1])) continue;
    std::size_t e = a + name.size();
    while (e < end && Blank(t[e])) ++e;
    if (e >= end || t[e] != '=') continue;
    std::size_t s = e + 1;
    while (s < end && Blank(t[s])) ++s;
    if (s + 1 < end && Quote(t[s]) && t[s + 1] == t[s]) return {};
    while (s < end && (Blank(t[s]) || Quote(t[s]))) ++s;
    const std::size_t stop = std::min(t.find_first_of(" \t\n\r\"'", s), end);
    const std::string value = t.substr(s, stop - s);
    at = s;
    return value.substr(0, FragmentStart(value));
  }
  return {};
}

// `at` becomes where the value stands in the rest of the page.
std::string ScanAttribute(const Page& page, const std::string& rest, const std::string& tag,
                          const std::string& attribute, std::size_t& position, std::size_t& at) {
  const std::string t = FindTag(page, rest, tag + "," + attribute, position);
  if (t.empty()) return "END";
  const std::string value = ReadValue(t, attribute, at);
  at += position;
  position += 1;
  return value;
}

std::string ScanAnchor(const Page& page, const std::string& rest, const std::string& tag, std::size_t& position,
                       std::size_t& at, std::string& tagText) {
  const std::string t = FindTag(page, rest, tag + ",href", position);
  if (t.empty()) return "END";
  const std::string value = ReadValue(t, "href", at);
  at += position;
  if (Holds(t, ".css")) {
    position += 1;
    return value;
  }
  tagText = t;
  const std::size_t close = cp932::Find(rest.substr(position), "</" + tag + ">");
  if (close == npos) return "END";
  position += close + 1;
  return value;
}

// The loop of one pass: the page cut after every call; each link in the
// letter case it has where it stands.
std::vector<std::string> Walk(const ScanPass& pass, const std::string& source) {
  std::vector<std::string> found;
  Page page{cp932::ToLower(source), {}, 0};
  page.tags = Tags(page.whole);
  for (;;) {
    const std::string rest = page.whole.substr(page.cut);
    std::size_t pos = 0, at = 0;
    std::string tagText;
    const std::string link = pass.anchorScanner ? ScanAnchor(page, rest, std::string(pass.tagWord), pos, at, tagText)
                                                : ScanAttribute(page, rest, std::string(pass.tagWord),
                                                                std::string(pass.attributeWord), pos, at);
    if (link == "END") return found;
    if (!link.empty()) found.push_back(source.substr(page.cut + at, link.size()) + " | " + tagText);
    page.cut += pos;
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
// tags, comments, script and style text, empty values, upper case, and double-byte characters whose second byte is "a",
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
        "<a href=\"\">",
        "<img data-src=d.gif src=''>",
        "<!--",
        "-->",
        "<script>",
        "</SCRIPT>",
        "<style>",
        "</style>",
        "<!x>",
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
        "&#45;",
        "&amp;",
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
    FindTag(page, "a,href", position);
    ScanAttribute(page, "img", "src", position);
    ScanAnchor(page, "a", "href", position, tagText);
    LinkState state;
    state.downloadFolder = "D:\\dl\\";
    state.page.Assign(page);
    const std::string link = page.substr(0, std::min<std::size_t>(page.size(), 6));
    CandidateOutcome outcome{CandidateOutcome::Result::kAdded, "http://h/d/" + link, {}};
    RewriteLink(state, "http://h/d/p.html", link, round % 3 ? "url" : "src", outcome);
    for (const ScanPass& pass : kScanPasses) {
      RunScanPass(pass, "http://h/d/p.html", state, host, 1000);
      const std::optional<TagMap>& kept = state.page.mappedTags();
      if (kept) {
        ASSERT_EQ(*kept, TagMap(state.page.pageTextLower())) << page;
      }
    }
    EXPECT_EQ(state.page.pageTextLower(), cp932::ToLower(state.page.pageText()));
  }
}

// A rewrite keeps the page's tag map only where it cannot move a tag: then
// the map moved along is the map of the new page; else it is made afresh.
TEST(ValueReplacer, KeepsTheTagMapOnlyWhereNoTagMoves) {
  struct Case {
    const char* page;
    const char* value;  // its first occurrence is rewritten
    const char* target;
    bool kept;
  };
  const Case cases[] = {
      {"<img src=a.gif><a href=b.html>b</a>", "b.html", "dir\\b.html", true},
      {"<a title=\"t\" href='x.html'>x</a><p>", "x.html", "../x.html", true},
      {"<a href=x\"y>z\">", "x", "a=", false},               // "=" before a quote opens a value
      {"<a href=a?b=\"c>d\">", "a?b=", "q", false},          // and no longer does
      {"<a href=x.html>", "x.html", "x>y", false},           // a ">" closes the tag
      {"<!-- =a.html> -->", "a.html", "b--", false},         // "-->" ends the comment early
      {"<script>x</script><a href=s>", "ript", "x", false},  // no script element any more
      {"<script>x</script><a href=s>", "script>", "x", false},
      {"<a href=x.html>", "x.html", "", false},
  };
  for (const Case& c : cases) {
    PageText page;
    page.Assign(c.page);
    page.Tags();
    ValueReplacer replacer;
    const std::size_t at = std::string_view(c.page).find(c.value);
    replacer.Add(at, at + std::string_view(c.value).size(), c.target);
    std::vector<TextSpan> written;
    replacer.Apply(page, written);
    EXPECT_EQ(page.mappedTags().has_value(), c.kept) << c.page;
    EXPECT_EQ(page.Tags(), TagMap(page.pageTextLower())) << c.page;
  }
}

}  // namespace
}  // namespace pagelark
