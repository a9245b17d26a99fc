// Where a page names what it needs to look right: scripts, style sheets,
// icons, image candidates (srcset), media sources and posters, objects,
// embeds and image inputs, and the url() and @import references of style
// sheets, style blocks and style attributes. Tags are read as a browser
// reads them (real tags only, attributes by name, values quoted or not);
// only ASCII bytes are read, so CP932, EUC-JP and UTF-8 pages read alike.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "links/TagMap.h"

namespace pagelark {

// One reference: where its value stands in the text, and whether it names a
// style sheet (a stylesheet link or an @import), whose own references are
// followed in turn.
struct RequisiteRef {
  std::size_t at;
  std::size_t size;
  bool styleSheet;

  bool operator==(const RequisiteRef&) const = default;
};

// The url() and @import references of style-sheet text, in order, their
// offsets counted from `offset` (where the text stands in its page).
void FindStyleRefs(std::string_view css, std::size_t offset, std::vector<RequisiteRef>& refs);

// The requisite references of a page, in page order.
std::vector<RequisiteRef> FindPageRequisites(std::string_view page);
// The same with the page's lower-case twin made and its tags mapped already.
std::vector<RequisiteRef> FindPageRequisites(std::string_view page, std::string_view lower, const TagMap& tags);

// The page's first <base href>: where its tag stands, from "<" to behind
// ">", and where its value stands.
struct BaseHref {
  std::size_t tagStart;
  std::size_t tagEnd;
  RequisiteRef value;
};
std::optional<BaseHref> FindBaseHref(std::string_view page);
// With the page's tags mapped already.
std::optional<BaseHref> FindBaseHref(std::string_view page, const TagMap& map);

}  // namespace pagelark
