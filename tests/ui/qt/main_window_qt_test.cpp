// The real main window on the offscreen platform: its controls, menu and
// toolbar, clicks reaching the logic, the close paths, and a run against a
// loopback site.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "ModalAnswerer.h"
#include "ReadingOrder.h"
#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "support/LoopbackServer.h"
#include "support/TempDir.h"
#include "ui/ControlIds.h"
#include "ui/DownloadDlg.h"
#include "ui/Layout.h"
#include "ui/StringTable.h"
#include "ui/qt/GuardedApplication.h"
#include "ui/qt/QtFilterDialog.h"
#include "ui/qt/QtMainWindow.h"

namespace pagelark::ui::test {
namespace {

QString Jp(const char* utf8) { return QString::fromUtf8(utf8); }

// A run that keeps pumping the window's events until it is stopped (at most
// a few seconds), as a long download does.
class PumpingRunner final : public DownloadRunner {
 public:
  explicit PumpingRunner(Host& host) : host_(host) {}
  StartResult StartDownload(const std::string&, const std::string&) override {
    running_ = true;
    stop_ = false;
    for (int i = 0; i < 500 && !stop_; ++i) {
      host_.AppendLine("step " + std::to_string(i));
      host_.PumpMessages();
      QTest::qWait(5);
    }
    host_.AppendLine(stop_ ? "stopped" : "ran out");
    running_ = false;
    return StartResult::kEnded;
  }
  void StopDownload() override { stop_ = true; }
  bool IsRunning() const override { return running_; }

 private:
  Host& host_;
  bool running_ = false;
  bool stop_ = false;
};

struct Window {
  explicit Window(bool pumpingRun = false) {
    WindowServices services = DefaultWindowServices(programDir.display());
    if (pumpingRun) services.makeRunner = [](Host& host) { return std::make_unique<PumpingRunner>(host); };
    view.SetOpener([this](const QUrl& url) {
      opened.push_back(url);
      return true;
    });
    logic = std::make_unique<CDownloadDlg>(view, std::move(services));
  }
  void Show() {
    logic->OnInitDialog();
    view.Bind(logic.get());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
  }
  QWidget* at(int id) { return view.Control(id); }
  QListWidget* list(int id) { return qobject_cast<QListWidget*>(at(id)); }
  QAction* command(int id) { return view.findChild<QAction*>(QStringLiteral("command%1").arg(id)); }

  pagelark::test::TempDir programDir;
  QtMainWindow view;
  std::unique_ptr<CDownloadDlg> logic;
  std::vector<QUrl> opened;
};

bool HasKind(QWidget* w, ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return qobject_cast<QLineEdit*>(w) != nullptr;
    case ControlKind::kPushButton:
      return qobject_cast<QPushButton*>(w) != nullptr;
    case ControlKind::kCheckBox:
      return qobject_cast<QCheckBox*>(w) != nullptr;
    case ControlKind::kRadioButton:
      return qobject_cast<QRadioButton*>(w) != nullptr;
    case ControlKind::kStatic:
      return qobject_cast<QLabel*>(w) != nullptr;
    case ControlKind::kListBox:
      return qobject_cast<QListWidget*>(w) != nullptr;
    case ControlKind::kListView:
      return qobject_cast<QTableWidget*>(w) != nullptr;
    default:
      return false;
  }
}

// A menu's items, "-" for a separator.
QStringList ItemsOf(QMenu* menu) {
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return items;
}

const QStringList kFileItems{Jp("新規作成"), Jp("開く"), "-", Jp("上書き保存"), Jp("別名保存"), "-", Jp("終了")};

QString TextOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  return {};
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlHasItsKindCaptionAndPlace() {
    Window w;
    w.Show();
    QCOMPARE(w.view.windowTitle(), Jp("Pagelark.ini - Pagelark From CGI"));
    for (const ControlSpec& spec : MainWindowSpec().controls) {
      if (spec.id == id::kNoId) continue;
      QWidget* widget = w.at(spec.id);
      QVERIFY2(widget != nullptr, qPrintable(QString::number(spec.id)));
      QVERIFY2(HasKind(widget, spec.kind), qPrintable(QString::number(spec.id)));
      const PixelRect r = ToPixels(spec.rect, w.view.baseUnits());
      QCOMPARE(widget->geometry(), QRect(r.x, r.y, r.width, r.height));
      if (spec.caption != nullptr && spec.id != id::kBrowse) QCOMPARE(TextOf(widget), ToQt(spec.caption));
    }
    // The browse button shows its picture in place of "参照".
    auto* browse = qobject_cast<QPushButton*>(w.at(id::kBrowse));
    QVERIFY(!browse->icon().isNull());
    QCOMPARE(browse->text(), QString());

    // A larger window gives the progress list the room and moves the status
    // line down; the other controls stay. A smaller one scrolls.
    const QRect list = w.at(id::kProgressList)->geometry();
    const QRect status = w.at(id::kStatusLine)->geometry();
    const QRect url = w.at(id::kStartUrl)->geometry();
    w.view.resize(w.view.width() + 200, w.view.height() + 150);
    QApplication::processEvents();
    QCOMPARE(w.at(id::kProgressList)->geometry(), list.adjusted(0, 0, 200, 150));
    QCOMPARE(w.at(id::kStatusLine)->geometry(), status.translated(0, 150).adjusted(0, 0, 200, 0));
    QCOMPARE(w.at(id::kStartUrl)->geometry(), url);
    w.view.resize(w.view.minimumSize());
    QApplication::processEvents();
    QCOMPARE(w.at(id::kProgressList)->geometry(), list);
    QVERIFY(w.view.minimumWidth() < 400 && w.view.minimumHeight() < 300);
  }

  // New lines scroll the list only while it shows its last line.
  void theListFollowsOnlyFromItsBottom() {
    Window w;
    w.Show();
    QScrollBar* bar = w.list(id::kProgressList)->verticalScrollBar();
    for (int i = 0; i < 100; ++i) {
      w.logic->AppendLine("line");
      QApplication::processEvents();
    }
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    bar->setValue(0);
    w.logic->AppendLine("more");
    QApplication::processEvents();
    QCOMPARE(bar->value(), 0);
  }

  void menuAndToolbarWithTheirTexts() {
    Window w;
    w.Show();
    const QList<QAction*> menus = w.view.menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), Jp("ファイル（&F）"));
    QCOMPARE(menus[1]->text(), Jp("ダウンロード(&D)"));
    QCOMPARE(menus[2]->text(), Jp("ヘルプ(&H)"));
    QCOMPARE(ItemsOf(menus[0]->menu()), kFileItems);

    QStringList tools;
    for (QAction* a : w.view.toolBar()->actions()) {
      tools << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
      if (!a->isSeparator()) QVERIFY(!a->icon().pixmap(32, 32).isNull());
    }
    QCOMPARE(tools, (QStringList{Jp("新規作成"), Jp("開く"), Jp("設定保存"), Jp("終了"), "-", Jp("ダウンロード開始"),
                                 Jp("ダウンロード中止"), Jp("HTML表示"), "-", "HELP", Jp("ホームページ")}));
    QCOMPARE(w.command(id::kMenuSave)->text(), Jp("上書き保存"));
    QCOMPARE(w.command(id::kToolSave)->toolTip(), Jp("設定保存"));
    QVERIFY(!w.view.windowIcon().isNull());
    const std::pair<int, const char*> shortcuts[] = {
        {id::kMenuNew, "Ctrl+N"}, {id::kMenuOpen, "Ctrl+O"}, {id::kMenuSave, "Ctrl+S"}, {id::kMenuHelp, "F1"}};
    for (const auto& [command, keys] : shortcuts) QCOMPARE(w.command(command)->shortcut(), QKeySequence(keys));
  }

  // Recent profiles stand above Exit behind a separator of their own, and
  // open their profile; without them the menu has its seven items.
  void recentProfilesAreListedAboveExitAndOpenTheirProfile() {
    Window w;
    pagelark::test::TempDir work;
    const std::string section = "[" + cp932::FromUtf8("初期表示") + "]\r\n";
    const std::string profile = work.display() + "R&D.ini";
    QVERIFY(platform::WriteFileBytes(profile, section + "URL=http://recent/\r\n"));
    QVERIFY(platform::WriteFileBytes(w.programDir.display() + "set.ini", section + "Recent1=" + profile + "\r\n"));
    w.Show();
    QMenu* file = w.view.menuBar()->actions()[0]->menu();
    QStringList withRecent = kFileItems;
    withRecent.insert(6, QStringLiteral("-"));
    withRecent.insert(6, "&1 " + ToQt(work.display()) + "R&&D.ini");
    QCOMPARE(ItemsOf(file), withRecent);
    w.command(id::MenuRecentProfile(0))->trigger();
    QCOMPARE(qobject_cast<QLineEdit*>(w.at(id::kStartUrl))->text(), QStringLiteral("http://recent/"));
    QCOMPARE(w.view.windowTitle(), Jp("R&D.ini - Pagelark From CGI"));
    w.view.SetRecentProfiles({});
    QCOMPARE(ItemsOf(file), kFileItems);
  }

  // Alt and a letter open a menu or focus a labelled field, whose tooltip
  // tells the keys; the labels keep their captions.
  void altLettersReachTheMenusAndTheLabelledFields() {
    Window w;
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w.view));
    const QList<QAction*> menus = w.view.menuBar()->actions();
    const QKeyCombination menuKeys[] = {Qt::ALT | Qt::Key_F, Qt::ALT | Qt::Key_D, Qt::ALT | Qt::Key_H};
    for (int i = 0; i < 3; ++i) QCOMPARE(QKeySequence::mnemonic(menus[i]->text()), QKeySequence(menuKeys[i]));
    for (const FieldMnemonic& m : MainWindowMnemonics()) {
      QWidget* field = w.at(m.field);
      QCOMPARE(field->toolTip(), QStringLiteral("Alt+") + QChar::fromLatin1(m.letter));
      QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(Qt::Key_A + (m.letter - 'A')), Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), field);
    }
  }

  void tabFollowsTheScreen() {
    Window w;
    w.Show();
    QCOMPARE(ReadingOrderBreak(&w.view), QString());
    const std::vector<QWidget*> stops = TabStops(&w.view);
    QCOMPARE(stops.front(), w.at(id::kStartUrl));
    QCOMPARE(stops.back(), w.at(id::kProgressList));
    for (const ControlSpec& spec : MainWindowSpec().controls) {
      QWidget* widget = w.at(spec.id);
      if (widget == nullptr || (widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
      QVERIFY2(std::find(stops.begin(), stops.end(), widget) != stops.end(), qPrintable(NameOf(widget)));
    }
  }

  void clicksReachTheWindowLogic() {
    Window w;
    w.Show();
    ModalAnswerer answerer;
    QTest::mouseClick(w.at(id::kSelectKinds), Qt::LeftButton);
    QVERIFY(w.at(id::kKindEdit)->isEnabled());
    QVERIFY(!qobject_cast<QRadioButton*>(w.at(id::kAllFiles))->isChecked());
    QTest::keyClicks(w.at(id::kKindEdit), "png");
    QTest::mouseClick(w.at(id::kAddKind), Qt::LeftButton);
    QCOMPARE(w.list(id::kKindList)->count(), 3);
    QCOMPARE(w.list(id::kKindList)->item(2)->text(), QStringLiteral("png"));
    QTest::mouseClick(w.at(id::kAddKind), Qt::LeftButton);  // empty now
    QCOMPARE(answerer.messages().size(), std::size_t{1});
    QCOMPARE(ToQt(answerer.messages()[0]), Jp("拡張子が入力されていません。"));

    QTest::mouseClick(w.at(id::kAllFiles), Qt::LeftButton);
    QVERIFY(!w.at(id::kKindList)->isEnabled());
    QVERIFY(!w.at(id::kDeleteKind)->isEnabled());

    QTest::mouseClick(w.at(id::kGet), Qt::LeftButton);
    QTest::mouseClick(w.at(id::kPost), Qt::LeftButton);
    QVERIFY(!qobject_cast<QRadioButton*>(w.at(id::kGet))->isChecked());
    QVERIFY(qobject_cast<QRadioButton*>(w.at(id::kPost))->isChecked());
    QTest::mouseClick(w.at(id::kPost), Qt::LeftButton);  // a checked radio stays checked
    QVERIFY(qobject_cast<QRadioButton*>(w.at(id::kPost))->isChecked());

    QVERIFY(!w.at(id::CounterFrom(2))->isEnabled());
    QTest::mouseClick(w.at(id::CounterBox(2)), Qt::LeftButton);
    QVERIFY(w.at(id::CounterFrom(2))->isEnabled() && w.at(id::CounterTo(2))->isEnabled() &&
            w.at(id::CounterStep(2))->isEnabled());
    QVERIFY(!w.at(id::CounterFrom(1))->isEnabled());
  }

  void filterDialogOkHandsBackAndCancelDiscards() {
    Window w;
    w.Show();
    {  // each answerer lives only as long as its dialog
      ModalAnswerer answerer;
      answerer.onDialog = [](QWidget* modal) {
        auto* dialog = qobject_cast<QtFilterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), Jp("フィルター設定"));
        QTest::keyClicks(dialog->Control(id::kEnableEdit), "http://127.0.0.1/a/");
        QTest::mouseClick(dialog->Control(id::kAddEnable), Qt::LeftButton);
        QTest::mouseClick(dialog->Control(id::kUseEnableList), Qt::LeftButton);
        QTest::mouseClick(dialog->Control(id::kOk), Qt::LeftButton);
      };
      QTest::mouseClick(w.at(id::kFilterDetail), Qt::LeftButton);
      QCOMPARE(w.logic->CurrentSettings().enableUrls, (std::vector<std::string>{"http://127.0.0.1/a/"}));
      QVERIFY(w.logic->CurrentSettings().useEnableList);
    }
    ModalAnswerer second;
    second.onDialog = [](QWidget* modal) {
      auto* dialog = qobject_cast<QtFilterDialog*>(modal);
      auto* table = qobject_cast<QTableWidget*>(dialog->Control(id::kEnableList));
      QCOMPARE(table->rowCount(), 1);
      table->selectRow(0);
      QTest::mouseClick(dialog->Control(id::kDeleteEnable), Qt::LeftButton);
      QCOMPARE(table->rowCount(), 0);
      QTest::mouseClick(dialog->Control(id::kCancel), Qt::LeftButton);
    };
    QTest::mouseClick(w.at(id::kFilterDetail), Qt::LeftButton);
    QCOMPARE(w.logic->CurrentSettings().enableUrls.size(), std::size_t{1});
  }

  // Enter and Escape in fields leave the window; the close box asks, and its
  // Cancel goes back to the window.
  void onlyTheCloseBoxClosesAndItsQuestionCanGoBack() {
    Window w;
    ModalAnswerer answerer({QMessageBox::Cancel, QMessageBox::Discard});
    QTimer::singleShot(50, [&w] {
      QTest::keyClick(w.at(id::kDownloadFolder), Qt::Key_Return);
      QTest::keyClick(w.at(id::kMaxFiles), Qt::Key_Escape);
      QVERIFY(w.view.isVisible());
      w.view.close();
    });
    QTimer::singleShot(400, [&w] {
      QVERIFY(w.view.isVisible());
      w.view.close();
    });
    QCOMPARE(w.logic->DoModal(), id::kOk);
    QCOMPARE(answerer.messages().size(), std::size_t{2});
    QCOMPARE(ToQt(answerer.messages()[0]),
             ToQt(w.programDir.display()) + QStringLiteral("Pagelark.ini") + Jp("を保存しますか？"));
    QVERIFY(w.programDir.List().empty());
  }

  void closingDuringARunStopsItFirst() {
    Window w(true);
    ModalAnswerer answerer({QMessageBox::Discard});
    QTimer::singleShot(50, [&w] { w.command(id::kToolStart)->trigger(); });
    QTimer::singleShot(200, [&w] { w.view.close(); });
    QCOMPARE(w.logic->DoModal(), id::kOk);
    QCOMPARE(w.list(id::kProgressList)->item(w.list(id::kProgressList)->count() - 1)->text(),
             QStringLiteral("stopped"));
    QCOMPARE(answerer.messages().size(), std::size_t{1});  // the save question, after the run
  }

  // While a transfer waits on a server that has not answered, the window
  // still runs its timers and takes the stop command, which ends the run
  // long before the server would answer.
  void aWaitingTransferLeavesTheWindowAnswering() {
    pagelark::test::LoopbackServer server;
    std::atomic<bool> answered = false;
    server.Handle("/slow.html", [&](const httplib::Request&, httplib::Response& response) {
      std::this_thread::sleep_for(std::chrono::seconds(2));
      answered = true;
      response.set_content("late", "text/html");
    });
    pagelark::test::TempDir downloads;
    const std::string startDir = platform::CurrentDirectory();
    Window w;
    w.Show();
    ModalAnswerer answerer;
    qobject_cast<QLineEdit*>(w.at(id::kStartUrl))->setText(QString::fromStdString(server.Url("/slow.html")));
    qobject_cast<QLineEdit*>(w.at(id::kDownloadFolder))->setText(QString::fromStdString(downloads.native().string()));
    qobject_cast<QLineEdit*>(w.at(id::kMaxDuplicateLinks))->setText(QStringLiteral("5"));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (++ticks == 5) w.command(id::kToolStop)->trigger();
    });
    ticker.start(100);
    w.command(id::kToolStart)->trigger();
    platform::SetCurrentDirectory(startDir);
    QVERIFY(ticks >= 5);
    QVERIFY2(!answered, "the run waited for the server's answer");
  }

  // An exception that escapes an event handler ends that event with a
  // message; the program goes on.
  void anEscapingExceptionIsReportedNotFatal() {
    struct Throwing : QObject {
      bool event(QEvent*) override { throw std::bad_alloc(); }
    } throwing;
    ModalAnswerer answerer;
    QEvent event(QEvent::User);
    QVERIFY(!QApplication::sendEvent(&throwing, &event));
    QCOMPARE(answerer.messages(), std::vector<std::string>{kMsgCommandFailed});
  }

  void startRunsAgainstALoopbackSite() {
    pagelark::test::LoopbackServer server;
    std::string index = "<html><body>";
    for (int i = 0; i < 40; ++i) index += "<a href=\"p" + std::to_string(i) + ".html\">p</a>\n";
    server.Serve("/index.html", 200, index + "<a href=\"gone.html\">x</a></body></html>");
    for (int i = 0; i < 40; ++i) server.Serve("/p" + std::to_string(i) + ".html", 200, "<html>page</html>");
    pagelark::test::TempDir downloads;
    const std::string startDir = platform::CurrentDirectory();

    Window w;
    w.Show();
    ModalAnswerer answerer;
    qobject_cast<QLineEdit*>(w.at(id::kStartUrl))->setText(QString::fromStdString(server.Url("/index.html")));
    qobject_cast<QLineEdit*>(w.at(id::kDownloadFolder))->setText(QString::fromStdString(downloads.native().string()));
    qobject_cast<QLineEdit*>(w.at(id::kMaxDuplicateLinks))->setText(QStringLiteral("500"));
    QToolButton* start = qobject_cast<QToolButton*>(w.view.toolBar()->widgetForAction(w.command(id::kToolStart)));
    QTest::mouseClick(start, Qt::LeftButton);
    platform::SetCurrentDirectory(startDir);

    QListWidget* progress = w.list(id::kProgressList);
    QVERIFY2(progress->count() > 3, "the run wrote no progress lines");
    bool downloading = false;
    for (int i = 0; i < progress->count(); ++i)
      downloading |= progress->item(i)->text().contains(Jp("をダウンロード中"));
    QVERIFY(downloading);
    QVERIFY(progress->count() > 40);
    // The failed line tells why when the pointer rests on it.
    const QList<QListWidgetItem*> failed =
        progress->findItems(Jp("gone.htmlのダウンロードに失敗しました。"), Qt::MatchEndsWith);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first()->toolTip(), QStringLiteral("HTTP 404"));
    // The bar ends full, its text with the count, the time and the rate.
    auto* bar = w.view.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(w.view.findChild<QLabel*>(QStringLiteral("progressText"))->text().contains(Jp("経過")));
    QCOMPARE(progress->verticalScrollBar()->value(), progress->verticalScrollBar()->maximum());
    QVERIFY(!answerer.messages().empty());
    QCOMPARE(ToQt(answerer.messages().back()), Jp("ダウンロード完了"));
  }
};

}  // namespace pagelark::ui::test

// The program's own application object, so that its guard is tested too.
int main(int argc, char** argv) {
  pagelark::ui::GuardedApplication application(argc, argv);
  pagelark::ui::test::MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "main_window_qt_test.moc"
