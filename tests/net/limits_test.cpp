// Hostile servers: the stop hook is heard while a server holds a transfer.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "net/NetTestSupport.h"
#include "net/RawSocketServer.h"
#include "net/WebClient.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"

namespace pagelark::net {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One operation of the client on `url`; a page or form answer goes to `text`,
// a download to `file`.
struct Operation {
  const char* name;
  bool download;
  std::function<bool(WebClient&, const std::string& url, std::string& text, const std::string& file)> run;
};

const Operation kOperations[] = {
    {"FetchText", false,
     [](WebClient& c, const std::string& u, std::string& t, const std::string&) { return c.FetchText(u, 80, t); }},
    {"SubmitFormGet", false,
     [](WebClient& c, const std::string& u, std::string& t, const std::string&) {
       return c.SubmitFormGet("", t, u, 80);
     }},
    {"SubmitFormPost", false,
     [](WebClient& c, const std::string& u, std::string& t, const std::string&) {
       return c.SubmitFormPost("a=1", t, u, 80);
     }},
    {"FetchToFile", true,
     [](WebClient& c, const std::string& u, std::string&, const std::string& f) { return c.FetchToFile(f, u, 80); }},
    {"FetchQueryToFile", true,
     [](WebClient& c, const std::string& u, std::string&, const std::string& f) {
       return c.FetchQueryToFile(f, u, 80);
     }},
};

// A 200 answer announcing 1000 bytes and sending one every 100 ms.
void ServeTrickle(test::LoopbackServer& server, const std::string& path) {
  server.Handle(path, [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(1000, "text/html", [](std::size_t, std::size_t, httplib::DataSink& sink) {
      std::this_thread::sleep_for(100ms);
      return sink.write("x", 1);
    });
  });
}

class LimitsTest : public ::testing::Test {
 protected:
  // Runs `operation` on a fresh client with `options`; the answer text starts
  // as "old".
  bool Run(const Operation& operation, WebClientOptions options, const std::string& url) {
    client_ = std::make_unique<WebClient>(std::move(options));
    text_ = "old";
    return operation.run(*client_, url, text_, dir_.system() + "f.bin");
  }
  // Nothing of a failed operation is kept: no file, and the text as it was
  // (a form answer whose head arrived is emptied).
  void ExpectNothingKept(const Operation& operation, bool headArrived) const {
    EXPECT_TRUE(dir_.List().empty());
    const bool form = !operation.download && std::string(operation.name) != "FetchText";
    EXPECT_EQ(text_, form && headArrived ? "" : "old");
  }

  test::TempDir dir_;
  test::LoopbackServer server_;
  std::unique_ptr<WebClient> client_;
  std::string text_;
};

// keepGoing is asked several times a second while a server holds the
// connection silent, and a false answer ends the call at once.
TEST_F(LimitsTest, KeepGoingIsAskedWhileTheServerIsSilentAndStopsTheCall) {
  test::RawSocketServer silent("", true);
  int calls = 0;
  WebClientOptions options = test::ShortTimeouts();
  options.timeouts.lowSpeedTime = std::chrono::seconds(30);
  options.keepGoing = [&] { return ++calls < 5; };
  const auto start = Clock::now();
  EXPECT_FALSE(Run(kOperations[0], options, silent.Url("/p.html")));
  EXPECT_EQ(calls, 5);
  EXPECT_LT(Clock::now() - start, 1s) << "five calls and the stop within a second";
}

// A stop before the head and one in the middle of the body, for every
// operation: false, nothing kept, and the client works on.
TEST_F(LimitsTest, StopEndsEveryOperationAndTheClientWorksOn) {
  test::RawSocketServer silent("", true);
  ServeTrickle(server_, "/slow");
  server_.Serve("/page", 200, "page");
  for (const Operation& operation : kOperations) {
    for (const bool headArrived : {false, true}) {
      SCOPED_TRACE(std::string(operation.name) + (headArrived ? " in the body" : " before the head"));
      WebClientOptions options = test::ShortTimeouts();
      options.keepGoingInterval = 20ms;
      int calls = 0;
      options.keepGoing = [&] { return ++calls < 8; };  // after the first trickled byte
      const auto start = Clock::now();
      EXPECT_FALSE(Run(operation, options, headArrived ? server_.Url("/slow") : silent.Url("/slow")));
      EXPECT_LT(Clock::now() - start, 1s);
      ExpectNothingKept(operation, headArrived);
      std::string text;
      EXPECT_TRUE(client_->FetchText(server_.Url("/page"), 80, text));
    }
  }
}

}  // namespace
}  // namespace pagelark::net
