#include <gtest/gtest.h>

#include "net/RequestProfile.h"

namespace pagelark::net {
namespace {

// The session name is on the request first; an added line of a name already
// present (letter case ignored) gives way.
TEST(HeaderLines, AddIfAbsentLinesGiveWayToHeadersAlreadyPresent) {
  RequestProfile profile;
  profile.sessionName = "S";
  profile.addIfAbsentHeaders = "accept: a\r\nuser-agent: other\r\nX-One: 1\r\nx-one: 2\r\n";
  profile.sendHeaders = "Content-Type: t";
  const std::vector<std::string> expected = {"User-Agent: S", "accept: a", "X-One: 1", "Content-Type: t"};
  EXPECT_EQ(HeaderLines(profile), expected);
}

}  // namespace
}  // namespace pagelark::net
