// pagelark-render-window OUTDIR: draws the main window, the filter dialog and
// the version dialog offscreen into OUTDIR as PNG files, filled with a sample
// profile and a few progress lines. Nothing is read from or written to a
// program folder.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/cp932.h"
#include "ui/AboutDlg.h"
#include "ui/DownloadDlg.h"
#include "ui/FilterDlg.h"
#include "ui/qt/Artwork.h"
#include "ui/qt/QtAboutDialog.h"
#include "ui/qt/QtFilterDialog.h"
#include "ui/qt/QtMainWindow.h"

namespace pagelark::ui {
namespace {

std::string Sjis(const char* utf8) { return cp932::FromUtf8(utf8); }

// Start-up shows a sample instead of a profile; nothing is written.
class SampleProfiles final : public ProfileStore {
 public:
  void Read(const std::string&, Host&) override {}
  bool Write(const std::string&, const std::string&, Host&) override { return true; }
  void Reset(Host&) override {}
  std::string LoadStartup(const std::string& programDir, Host& host) override {
    host.ApplySettings(Sample());
    return programDir + "Pagelark.ini";
  }
  std::vector<std::string> ReadRecent(const std::string&) override { return {}; }
  bool WriteRecent(const std::string&, const std::vector<std::string>&) override { return true; }

  static CrawlSettings Sample() {
    CrawlSettings s;
    s.startUrl = "http://127.0.0.1:8080/news/page@a@.html";
    s.downloadFolder =
        "/home/me/\x83_\x83"
        "E\x83\x93\x83\x8D\x81[\x83h/";  // /home/me/ダウンロード/
    s.maxFiles = "1000";
    s.maxDuplicateLinks = "500";
    s.sameServerOnly = true;
    s.connections = "4";
    s.allKinds = false;
    s.kinds = {"htm", "html", "png"};
    s.requestMethod = RequestMethod::kGet;
    s.counters[0] = {true, "001", "003", "1"};
    s.disableUrls = {"/cgi-bin/"};
    s.useDisableList = true;
    return s;
  }
};

class NoRun final : public DownloadRunner {
 public:
  StartResult StartDownload(const std::string&, const std::string&) override { return StartResult::kRefused; }
  void StopDownload() override {}
  bool IsRunning() const override { return false; }
};

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  const bool saved = widget.grab().save(path, "PNG");
  widget.hide();
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

void AddSampleRun(CDownloadDlg& window) {
  window.AppendLine("");
  window.AppendLine(Sjis("HTMLダウンロードを開始します。 時間=9:5:7"));
  window.AppendLine(Sjis("http://127.0.0.1:8080/news/page001.htmlをダウンロード中"));
  window.AppendLine(Sjis("\thttp://127.0.0.1:8080/news/page001.htmlのダウンロードに成功しました。"));
  window.AppendLine(Sjis("http://127.0.0.1:8080/images/logo.pngをダウンロード中"));
  window.AppendLine(Sjis("\thttp://127.0.0.1:8080/images/logo.pngのダウンロードに成功しました。"));
  window.SetStatus(Sjis("2 / 9:     http://127.0.0.1:8080/images/logo.pngをダウンロード中"));
  window.ReportProgress({1, 9, 40960});
}

bool SaveToolbarImages(const QString& folder) {
  QImage sheet(10 * 36, 36, QImage::Format_ARGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  int x = 2;
  for (int command : ToolbarButtons()) {
    if (command != 0) painter.drawImage(x, 2, art::ToolbarImage(command));
    x += command != 0 ? 36 : 12;
  }
  painter.end();
  return sheet.save(folder + QStringLiteral("/toolbar.png"), "PNG");
}

}  // namespace
}  // namespace pagelark::ui

int main(int argc, char** argv) {
  using namespace pagelark::ui;
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: pagelark-render-window OUTDIR\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  QtMainWindow view;
  WindowServices services{std::make_unique<SampleProfiles>(), [](pagelark::Host&) { return std::make_unique<NoRun>(); },
                          "/opt/pagelark/"};
  CDownloadDlg window(view, std::move(services));
  window.OnInitDialog();
  AddSampleRun(window);
  bool ok = Save(view, folder + QStringLiteral("/main-window.png"));

  FilterLists lists{{"http://127.0.0.1:8080/news/", "http://127.0.0.1:8080/images/"}, {"/cgi-bin/"}, true, true};
  CFilterDlg filterLogic(lists);
  QtFilterDialog filter(filterLogic, &view);
  ok = Save(filter, folder + QStringLiteral("/filter-dialog.png")) && ok;

  CAboutDlg aboutLogic(view);
  QtAboutDialog about(aboutLogic, &view);
  ok = Save(about, folder + QStringLiteral("/about-dialog.png")) && ok;
  ok = SaveToolbarImages(folder) && ok;
  return ok ? 0 : 1;
}
