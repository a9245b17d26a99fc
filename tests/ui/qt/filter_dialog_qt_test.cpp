// The real filter dialog on the offscreen platform: both list views, deleting
// the rows a user selected, Enter as OK, Cancel, and the Tab order.
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "ModalAnswerer.h"
#include "ReadingOrder.h"
#include "ui/ControlIds.h"
#include "ui/FilterDlg.h"
#include "ui/qt/QtFilterDialog.h"

namespace pagelark::ui::test {
namespace {

QString Jp(const char* utf8) { return QString::fromUtf8(utf8); }

struct Dialog {
  explicit Dialog(FilterLists lists) : owner(std::move(lists)), logic(owner), view(logic, nullptr) {
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
  }
  QTableWidget* table(int id) { return qobject_cast<QTableWidget*>(view.Control(id)); }
  void ClickRow(int listId, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTableWidget* t = table(listId);
    const QRect cell = t->visualRect(t->model()->index(row, 0));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, modifiers, QPoint(20, cell.center().y()));
  }

  FilterLists owner;
  CFilterDlg logic;
  QtFilterDialog view;
};

}  // namespace

class FilterDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void listViewsInReportModeWithTheEntries() {
    Dialog d({{"a", "b", "c"}, {"x"}, true, false});
    QCOMPARE(d.view.windowTitle(), Jp("フィルター設定"));
    for (int id : {id::kEnableList, id::kDisableList}) {
      QTableWidget* t = d.table(id);
      QVERIFY(t != nullptr);
      QCOMPARE(t->columnCount(), 1);
      QCOMPARE(t->columnWidth(0), 650);
      QVERIFY(t->showGrid());
      QCOMPARE(t->selectionBehavior(), QAbstractItemView::SelectRows);
      QCOMPARE(t->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    QCOMPARE(d.table(id::kEnableList)->horizontalHeaderItem(0)->text(), Jp("有効リスト"));
    QCOMPARE(d.table(id::kDisableList)->horizontalHeaderItem(0)->text(), Jp("無効リスト"));
    QCOMPARE(d.table(id::kEnableList)->rowCount(), 3);
    QCOMPARE(d.table(id::kEnableList)->item(2, 0)->text(), QStringLiteral("c"));
    QVERIFY(qobject_cast<QAbstractButton*>(d.view.Control(id::kUseEnableList))->isChecked());
    QVERIFY(!qobject_cast<QAbstractButton*>(d.view.Control(id::kUseDisableList))->isChecked());
  }

  void tabFollowsTheScreen() {
    Dialog d({{"a"}, {"x"}, false, false});
    QCOMPARE(ReadingOrderBreak(&d.view), QString());
    QCOMPARE(TabStops(&d.view).size(), std::size_t{12});  // every field, button, box and list
  }

  void deleteRemovesTheRowsTheUserSelected() {
    Dialog d({{"r0", "r1", "r2", "r3", "r4"}, {"x"}, false, false});
    d.ClickRow(id::kEnableList, 1);
    d.ClickRow(id::kEnableList, 3, Qt::ControlModifier);
    QTest::mouseClick(d.view.Control(id::kDeleteEnable), Qt::LeftButton);
    QTableWidget* t = d.table(id::kEnableList);
    QCOMPARE(t->rowCount(), 3);
    QCOMPARE(t->item(0, 0)->text() + t->item(1, 0)->text() + t->item(2, 0)->text(), QStringLiteral("r0r2r4"));

    ModalAnswerer answerer;
    d.ClickRow(id::kEnableList, 0);
    QTest::mouseClick(d.view.Control(id::kDeleteDisable), Qt::LeftButton);
    QCOMPARE(answerer.messages().size(), std::size_t{1});
    QCOMPARE(ToQt(answerer.messages()[0]), Jp("リストが選択されていません。"));
    QCOMPARE(d.table(id::kDisableList)->rowCount(), 1);
  }

  // Enter in a URL field adds the typed URL to its own list; on a check box
  // it is OK, which hands both lists back.
  void enterAddsFromAUrlFieldAndIsOkElsewhere() {
    Dialog d({{"a"}, {}, false, true});
    QTest::mouseClick(d.view.Control(id::kUseEnableList), Qt::LeftButton);
    QTest::keyClicks(d.view.Control(id::kEnableEdit), "typed");
    QTest::keyClick(d.view.Control(id::kEnableEdit), Qt::Key_Return);
    QTest::keyClicks(d.view.Control(id::kDisableEdit), "no");
    QTest::keyClick(d.view.Control(id::kDisableEdit), Qt::Key_Return);
    QVERIFY(d.view.isVisible());
    d.view.Control(id::kUseEnableList)->setFocus();
    QTest::keyClick(d.view.Control(id::kUseEnableList), Qt::Key_Return);
    QCOMPARE(d.view.result(), id::kOk);
    QVERIFY(!d.view.isVisible());
    QCOMPARE(d.owner, (FilterLists{{"a", "typed"}, {"no"}, true, true}));
  }

  void enterPressesTheButtonThatHasTheFocus() {
    Dialog d({{"a"}, {}, false, false});
    QTest::keyClicks(d.view.Control(id::kEnableEdit), "b");
    d.view.Control(id::kAddEnable)->setFocus();
    QTest::keyClick(d.view.Control(id::kAddEnable), Qt::Key_Return);
    QVERIFY(d.view.isVisible());
    QCOMPARE(d.table(id::kEnableList)->rowCount(), 2);
  }

  void cancelDiscardsEveryEdit() {
    const FilterLists before{{"a", "b"}, {"x"}, true, false};
    Dialog d(before);
    QTest::keyClicks(d.view.Control(id::kDisableEdit), "y");
    QTest::mouseClick(d.view.Control(id::kAddDisable), Qt::LeftButton);
    QCOMPARE(d.table(id::kDisableList)->rowCount(), 2);
    QTest::mouseClick(d.view.Control(id::kUseEnableList), Qt::LeftButton);
    QTest::mouseClick(d.view.Control(id::kCancel), Qt::LeftButton);
    QVERIFY(!d.view.isVisible());
    QCOMPARE(d.owner, before);
  }
};

}  // namespace pagelark::ui::test

QTEST_MAIN(pagelark::ui::test::FilterDialogTest)
#include "filter_dialog_qt_test.moc"
