// Hostile servers: bodies larger than their limit are abandoned and kept
// nowhere, a trickling answer is given up, and the stop hook is heard while a
// server holds a transfer.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "net/NetTestSupport.h"
#include "net/WebClient.h"
#include "support/LoopbackServer.h"
#include "support/RawSocketServer.h"
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

// `body` with its length announced, or chunked without one.
void ServeBody(test::LoopbackServer& server, const std::string& path, std::string body, bool announced) {
  server.Handle(path, [body, announced](const httplib::Request&, httplib::Response& response) {
    if (announced) {
      response.set_content(body, "text/html");
      return;
    }
    response.set_chunked_content_provider("text/html", [body](std::size_t, httplib::DataSink& sink) {
      sink.write(body.data(), body.size());
      sink.done();
      return true;
    });
  });
}

// A chunked 200 answer that never ends.
void ServeEndless(test::LoopbackServer& server, const std::string& path) {
  server.Handle(path, [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
      const std::string block(64 * 1024, 'x');
      return sink.write(block.data(), block.size());
    });
  });
}

class LimitsTest : public ::testing::Test {
 protected:
  // Runs `operation` on a fresh client with `options`; the answer text starts
  // as "old".
  bool Run(const Operation& operation, WebClientOptions options, const std::string& url) {
    client_ = std::make_unique<WebClient>(std::move(options));
    std::string("old").swap(text_);  // a text of its own capacity
    return operation.run(*client_, url, text_, dir_.system() + "f.bin");
  }
  // The operation failed for `why` and kept nothing of the answer: no file,
  // and the text as it was (a form answer whose head arrived is emptied).
  void ExpectFailedKeepingNothing(const Operation& operation, FailureKind why, bool headArrived) const {
    EXPECT_EQ(client_->LastFailure().kind, why) << client_->LastFailure().text;
    EXPECT_TRUE(dir_.List().empty());
    EXPECT_LT(text_.capacity(), 1000u);
    const bool form = !operation.download && std::string(operation.name) != "FetchText";
    EXPECT_EQ(text_, form && headArrived ? "" : "old");
  }

  test::TempDir dir_;
  test::LoopbackServer server_;
  std::unique_ptr<WebClient> client_;
  std::string text_;
};

// Each operation keeps a body up to its limit (a page or form answer in
// memory, a download in its file) and refuses one byte more, whether the
// length is announced or not.
TEST_F(LimitsTest, BodiesUpToTheirLimitAreKeptAndOneByteMoreIsNot) {
  WebClientOptions options = test::ShortTimeouts();
  options.maxTextBytes = 50'000;
  options.maxFileBytes = 80'000;
  for (const Operation& operation : kOperations) {
    const std::size_t limit = operation.download ? options.maxFileBytes : options.maxTextBytes;
    for (const std::size_t size : {limit - 1, limit, limit + 1}) {
      for (const bool announced : {true, false}) {
        SCOPED_TRACE(std::string(operation.name) + " " + std::to_string(size) +
                     (announced ? " announced" : " chunked"));
        const std::string body = test::AllByteValues(size);
        ServeBody(server_, "/body", body, announced);
        const bool kept = size <= limit;
        EXPECT_EQ(Run(operation, options, server_.Url("/body?q=1")), kept);
        if (!kept) {
          ExpectFailedKeepingNothing(operation, FailureKind::kTooLarge, true);
        } else if (operation.download) {
          EXPECT_EQ(test::ReadBytes(dir_.native() / "f.bin"), body);
          std::filesystem::remove(dir_.native() / "f.bin");
        } else {
          EXPECT_EQ(text_, operation.name == std::string("FetchText") ? "old" + body : body);
          EXPECT_LE(text_.capacity(), limit + 8) << "the text grew past its limit";
        }
      }
    }
  }
}

// An endless answer ends at the limit, with nothing kept.
TEST_F(LimitsTest, EndlessBodyIsAbandonedAtTheLimit) {
  ServeEndless(server_, "/endless");
  WebClientOptions options = test::ShortTimeouts();
  options.maxTextBytes = 1 << 20;
  options.maxFileBytes = 2 << 20;
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    EXPECT_FALSE(Run(operation, options, server_.Url("/endless?q=1")));
    ExpectFailedKeepingNothing(operation, FailureKind::kTooLarge, true);
  }
}

// A length announced over the limit ends the transfer with the head, before
// the body is waited for (the server sends no more of it). Without a limit
// nothing is reserved for the announced length: the transfer goes on until
// it is stopped.
TEST_F(LimitsTest, AnnouncedLengthOverTheLimitIsRefusedWithTheHead) {
  test::RawSocketServer huge("HTTP/1.0 200 OK\r\nContent-Length: 4611686018427387904\r\n\r\nabc", true);
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    WebClientOptions options = test::ShortTimeouts();
    options.maxTextBytes = options.maxFileBytes = 1'000'000;
    EXPECT_FALSE(Run(operation, options, huge.Url("/huge?q=1")));
    ExpectFailedKeepingNothing(operation, FailureKind::kTooLarge, true);
    options.maxTextBytes = options.maxFileBytes = 0;
    options.keepGoingInterval = 20ms;
    options.keepGoing = [calls = 0]() mutable { return ++calls < 5; };
    EXPECT_FALSE(Run(operation, options, huge.Url("/huge?q=1")));
    ExpectFailedKeepingNothing(operation, FailureKind::kStopped, true);
  }
}

// 1 byte every 100 ms against a limit of 100 bytes/s over 1 s.
TEST_F(LimitsTest, TricklingAnswerIsGivenUp) {
  ServeTrickle(server_, "/slow");
  WebClientOptions options;
  options.timeouts.lowSpeedBytesPerSecond = 100;
  options.timeouts.lowSpeedTime = std::chrono::seconds(1);
  EXPECT_FALSE(Run(kOperations[0], options, server_.Url("/slow")));
  ExpectFailedKeepingNothing(kOperations[0], FailureKind::kTooSlow, true);
}

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
  EXPECT_EQ(client_->LastFailure().text, "stopped");
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
      ExpectFailedKeepingNothing(operation, FailureKind::kStopped, headArrived);
      std::string text;
      EXPECT_TRUE(client_->FetchText(server_.Url("/page"), 80, text));
      EXPECT_EQ(client_->LastFailure().kind, FailureKind::kNone);
    }
  }
}

}  // namespace
}  // namespace pagelark::net
