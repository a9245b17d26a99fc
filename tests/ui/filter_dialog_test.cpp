// The filter dialog's logic: filling, adding, deleting selected rows, OK and
// Cancel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeWindowView.h"
#include "WindowHarness.h"
#include "messages/WindowTexts.h"
#include "ui/ControlIds.h"
#include "ui/FilterDlg.h"

namespace pagelark::ui::test {
namespace {

using Rows = std::vector<std::string>;

class FilterDialogTest : public ::testing::Test {
 protected:
  void Open() { dialog.OnInitDialog(view); }

  FilterLists owner{{"a", "b", "c"}, {"x"}, true, false};
  CFilterDlg dialog{owner};
  FakeFilterView view;
};

TEST_F(FilterDialogTest, OpensWithTheListsInOrderAndTheSwitches) {
  Open();
  EXPECT_EQ(view.rows[id::kEnableList], (Rows{"a", "b", "c"}));
  EXPECT_EQ(view.rows[id::kDisableList], (Rows{"x"}));
  EXPECT_TRUE(view.checks[id::kUseEnableList]);
  EXPECT_FALSE(view.checks[id::kUseDisableList]);
}

TEST_F(FilterDialogTest, AddTakesTheTextAsTypedAndKeepsIt) {
  owner.enableUrls.clear();
  CFilterDlg fresh(owner);
  fresh.OnInitDialog(view);
  fresh.OnCommand(id::kAddEnable);
  view.edits[id::kEnableEdit] = "http://h/";
  fresh.OnCommand(id::kAddEnable);
  fresh.OnCommand(id::kAddEnable);
  EXPECT_EQ(view.rows[id::kEnableList], (Rows{"", "http://h/", "http://h/"}));
  EXPECT_EQ(view.edits[id::kEnableEdit], "http://h/");
  view.edits[id::kDisableEdit] = "/cgi-bin/";
  fresh.OnCommand(id::kAddDisable);
  EXPECT_EQ(view.rows[id::kDisableList], (Rows{"x", "/cgi-bin/"}));
}

TEST_F(FilterDialogTest, DeleteRemovesEverySelectedRowAndKeepsTheOrder) {
  Open();
  view.rows[id::kEnableList] = {"r0", "r1", "r2", "r3", "r4"};
  view.selected[id::kEnableList] = {1, 3};
  dialog.OnCommand(id::kDeleteEnable);
  EXPECT_EQ(view.rows[id::kEnableList], (Rows{"r0", "r2", "r4"}));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(FilterDialogTest, DeleteWorksOnListsLongerThanAHundredRows) {
  Open();
  Rows rows;
  for (int i = 0; i < 250; ++i) rows.push_back("u" + std::to_string(i));
  view.rows[id::kDisableList] = rows;
  view.selected[id::kDisableList] = {0, 120, 249};
  dialog.OnCommand(id::kDeleteDisable);
  const Rows& left = view.rows[id::kDisableList];
  ASSERT_EQ(left.size(), 247u);
  EXPECT_EQ(left.front(), "u1");
  EXPECT_EQ(left[119], "u121");
  EXPECT_EQ(left.back(), "u248");
}

TEST_F(FilterDialogTest, EachSideNeedsItsOwnSelection) {
  Open();
  view.selected[id::kEnableList] = {0};
  dialog.OnCommand(id::kDeleteDisable);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0], kMsgNoRowSelected);
  EXPECT_EQ(view.rows[id::kDisableList], (Rows{"x"}));
  EXPECT_EQ(view.rows[id::kEnableList].size(), 3u);
}

TEST_F(FilterDialogTest, OkHandsBothListsAndSwitchesBack) {
  Open();
  view.edits[id::kDisableEdit] = "y";
  dialog.OnCommand(id::kAddDisable);
  view.selected[id::kEnableList] = {0, 1, 2};
  dialog.OnCommand(id::kDeleteEnable);
  view.checks[id::kUseEnableList] = false;
  view.checks[id::kUseDisableList] = true;
  dialog.OnCommand(id::kOk);
  EXPECT_EQ(owner, (FilterLists{{}, {"x", "y"}, false, true}));
  EXPECT_EQ(view.endedWith, id::kOk);
}

TEST_F(FilterDialogTest, CancelLeavesTheOwnerAsItWas) {
  const FilterLists before = owner;
  Open();
  view.edits[id::kEnableEdit] = "z";
  dialog.OnCommand(id::kAddEnable);
  view.selected[id::kDisableList] = {0};
  dialog.OnCommand(id::kDeleteDisable);
  view.checks[id::kUseEnableList] = false;
  dialog.OnCommand(id::kCancel);
  EXPECT_EQ(owner, before);
  EXPECT_EQ(view.endedWith, id::kCancel);
}

TEST(FilterDialogFromWindow, OkReachesTheWindowsSettingsAndCancelDoesNot) {
  WindowHarness h(false);
  h.window->OnInitDialog();
  FakeFilterView filterView;
  h.view.onFilterDialog = [&filterView](CFilterDlg& d) {
    d.OnInitDialog(filterView);
    filterView.edits[id::kEnableEdit] = "e";
    d.OnAddEnableUrl();
    filterView.checks[id::kUseDisableList] = true;
    d.OnOK();
  };
  h.window->OnCommand(id::kFilterDetail);
  EXPECT_EQ(h.window->CurrentSettings().enableUrls, (Rows{"e"}));
  EXPECT_TRUE(h.window->CurrentSettings().useDisableList);

  h.view.onFilterDialog = [&filterView](CFilterDlg& d) {
    d.OnInitDialog(filterView);
    EXPECT_EQ(filterView.rows[id::kEnableList], (Rows{"e"}));
    d.OnAddEnableUrl();
    d.OnCancel();
  };
  h.window->OnCommand(id::kFilterDetail);
  EXPECT_EQ(h.window->CurrentSettings().enableUrls, (Rows{"e"}));
}

}  // namespace
}  // namespace pagelark::ui::test
