// Several connections: plain GETs go out ahead of their turn, yet the run
// writes what one connection writes, the same lines and the same files byte
// for byte, and reports the same bytes received; and a stop still ends the
// run at once.
#include <atomic>
#include <map>
#include <thread>

#include "crawl/RunFixture.h"
#include "messages/RunTexts.h"

namespace pagelark::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRequisitesSite = fs::path(PAGELARK_SOURCE_DIR) / "tests/sites/requisites";

// Every file under `folder` by its relative path, with its bytes.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path());
  }
  return files;
}

class ParallelFetch : public RunFixture {
 protected:
  struct Mirror {
    std::vector<std::string> lines;
    std::map<std::string, std::string> files;
    std::uint64_t bytes;  // as the run's last progress report gives them
  };

  Mirror RunOn(const std::string& connections) {
    fs::remove_all(root.native() / "dl");
    fs::create_directory(root.native() / "dl");
    host.settings.connections = connections;
    EXPECT_EQ(Run(), StartResult::kEnded);
    return {RunLines(), FilesUnder(root.native() / "dl"), host.progress.back().bytes};
  }
};

// The project's requisites site (style sheets, scripts, pictures, Japanese
// names) behind a start page that adds a form, a query download, a missing
// page and a file over its bound.
TEST_F(ParallelFetch, WritesWhatOneConnectionWrites) {
  server.ServeFolder(kRequisitesSite);
  server.Serve("/start.html", 200,
               "<a href=\"index.html\">i</a> <a href=\"missing.html\">m</a> <a href=\"search.cgi?q=1\">f</a>"
               " <a href=\"get.zip?v=2\">q</a> <a href=\"big.zip\">b</a> <a href=\"japanese.html\">j</a>");
  server.Serve("/search.cgi", 200, "<a href=\"sjis.html\">form answer</a>");
  server.Serve("/get.zip", 200, "query file", "application/zip");
  server.Serve("/big.zip", 200, std::string(3 << 19, 'z'), "application/zip");
  host.settings.startUrl = server.Url("/start.html");
  host.settings.requisites = true;
  host.settings.bounds.maxFileMiB = "1";
  const Mirror one = RunOn("1");
  ASSERT_GT(one.files.size(), 20u);
  for (const char* connections : {"2", "4", "6"}) {
    const Mirror many = RunOn(connections);
    EXPECT_EQ(many.lines, one.lines) << connections;
    EXPECT_EQ(many.files, one.files) << connections;
    EXPECT_EQ(many.bytes, one.bytes) << connections;
  }
}

// Transfers under way ahead of their turn are abandoned too: the run is over
// before the server would have answered any of them.
TEST_F(ParallelFetch, AStopEndsEveryTransfer) {
  std::atomic<int> answered = 0;
  server.HandleOthers([&](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ++answered;
    response.set_content("late", "image/gif");
  });
  server.Serve("/many.html", 200, "<img src=1.gif><img src=2.gif><img src=3.gif><img src=4.gif><img src=5.gif>");
  host.settings.startUrl = server.Url("/many.html");
  host.settings.connections = "4";
  host.onPump = [&](int) {
    if (server.Requests().size() >= 4) engine.StopDownload();
  };
  EXPECT_EQ(Run(), StartResult::kStopped);
  EXPECT_EQ(answered, 0);
  EXPECT_FALSE(fs::exists(Stored("1.gif")));
}

}  // namespace
}  // namespace pagelark::test
