#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/PageRequisites.h"

namespace pagelark {
namespace {

// Each reference as its value, a style sheet's marked with "css:".
std::vector<std::string> Values(std::string_view text, const std::vector<RequisiteRef>& refs) {
  std::vector<std::string> values;
  for (const RequisiteRef& ref : refs) {
    values.push_back((ref.styleSheet ? "css:" : "") + std::string(text.substr(ref.at, ref.size)));
  }
  return values;
}

struct PageCase {
  const char* page;
  std::vector<std::string> expected;
};

TEST(FindPageRequisites, ReadsEveryKindOfTagThatNamesAFile) {
  const PageCase cases[] = {
      {"<link rel=stylesheet href=a.css?v=3><LINK REL=\"shortcut icon\" HREF='f.ico'>"
       "<link rel=preload href=p.woff2><link rel=alternate href=feed.xml><link href=x.css>",
       {"css:a.css?v=3", "f.ico", "p.woff2"}},
      {"<script src=\"js/app.js?1\"></script><script>var s='<img src=no.png>'</script>", {"js/app.js?1"}},
      {"<img src=a.png srcset=\"b.png 2x, c d.png 480w,e.png\">", {"a.png", "b.png", "c", "e.png"}},
      {"<picture><source srcset=p.webp type=image/webp><img src=p.png></picture>", {"p.webp", "p.png"}},
      {"<video src=v.mp4 poster=v.jpg><track src=t.vtt></video><audio src=a.ogg>",
       {"v.mp4", "v.jpg", "t.vtt", "a.ogg"}},
      {"<object data=o.svg></object><embed src=e.swf><input type=image src=i.png><input type=text src=no.png>",
       {"o.svg", "e.swf", "i.png"}},
      {"<body background=bg.gif><table background=t.gif><td background=\"\">", {"bg.gif", "t.gif"}},
      {"<div style=\"background:url( 'x.png' )\">url(text.png)</div><!-- <img src=c.png> -->", {"x.png"}},
      {"<style>@import \"i.css\"; @import url(j.css); /* url(no.png) */ b{content:\"url(no.png)\";"
       "background:URL(k.png)}</style>",
       {"css:i.css", "css:j.css", "k.png"}},
      {"<img src=\"  spaced.png  \"><img alt=\"<img src=no.png>\" src=q.png><img src=''>", {"spaced.png", "q.png"}},
      {"<img srcset=b.png style=\"background:url(s.png)\" src=a.png>", {"b.png", "s.png", "a.png"}},
  };
  for (const PageCase& c : cases) {
    EXPECT_EQ(Values(c.page, FindPageRequisites(c.page)), c.expected) << c.page;
  }
}

TEST(FindStyleRefs, CountsOffsetsFromWhereTheSheetStands) {
  const std::string sheet = "a{background:url(\"../i.png\")} @import 'b.css' screen;";
  std::vector<RequisiteRef> refs;
  FindStyleRefs(sheet, 100, refs);
  ASSERT_EQ(refs.size(), 2u);
  EXPECT_EQ(refs[0], (RequisiteRef{100 + sheet.find("../i.png"), 8, false}));
  EXPECT_EQ(refs[1], (RequisiteRef{100 + sheet.find("b.css"), 5, true}));
}

TEST(FindBaseHref, TakesTheFirstBaseWithAnHref) {
  const std::string page = "<base target=_top><BASE HREF=\"http://h/d/\"><base href=x/>";
  const auto base = FindBaseHref(page);
  ASSERT_TRUE(base);
  EXPECT_EQ(page.substr(base->value.at, base->value.size), "http://h/d/");
  EXPECT_EQ(page.substr(base->tagStart, base->tagEnd - base->tagStart), "<BASE HREF=\"http://h/d/\">");
  EXPECT_FALSE(FindBaseHref("<a href=x>base</a>"));
}

}  // namespace
}  // namespace pagelark
