#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

// The tests talk to 127.0.0.1 only: a proxy set in the environment of the
// machine must not take their requests.
class NoProxyEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { setenv("no_proxy", "*", 1); }
};

[[maybe_unused]] const auto* const kNoProxy = ::testing::AddGlobalTestEnvironment(new NoProxyEnvironment);

}  // namespace
