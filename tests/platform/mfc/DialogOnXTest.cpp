// Dialogs on a real X server: template positions, radio groups, data exchange, texts and results.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "TestDialog.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/Resources.h"

using namespace plat::mfc;

namespace {

std::function<void(CDialog&)> gWhileShown;

class TestDialog : public CDialog {
public:
  TestDialog() : CDialog(test::kTestDialogId) {}
  int groupA = 1;
  int groupB = -1;
  int check = BST_CHECKED;
  CButton frame;

protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, test::kFrame, frame);
    DDX_Radio(dx, test::kRadioA1, groupA);
    DDX_Radio(dx, test::kRadioB1, groupB);
    DDX_Check(dx, test::kCheck, check);
  }
};

class DialogOnX : public testing::Test {
protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    AfxSetResourceHandle(&test::kTestResources);
    SetDialogShownHookForTesting([](CDialog& dialog) { gWhileShown(dialog); });
  }
  void TearDown() override { SetDialogShownHookForTesting(nullptr); }
};

RECT ClientRectOf(CDialog& dialog, int id) {
  RECT rect;
  dialog.GetDlgItem(id)->GetWindowRect(&rect);
  dialog.ScreenToClient(&rect);
  return rect;
}

}  // namespace

TEST_F(DialogOnX, PlacesEveryControlAtItsTemplatePosition) {
  gWhileShown = [](CDialog& dialog) {
    RECT client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client.right, 399);
    EXPECT_EQ(client.bottom, 297);
    for (const DialogItemTemplate& item : test::kTestItems) {
      SCOPED_TRACE(item.id);
      const RECT expected = MapDialogRect(item.x, item.y, item.cx, item.cy);
      const RECT actual = ClientRectOf(dialog, item.id);
      EXPECT_EQ(actual.left, expected.left);
      EXPECT_EQ(actual.top, expected.top);
      EXPECT_EQ(actual.right, expected.right);
      EXPECT_EQ(actual.bottom, expected.bottom);
    }
    EXPECT_EQ(dialog.GetDlgItem(999), nullptr);
    dialog.EndDialog(IDCANCEL);
  };
  TestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogOnX, FillsTheControlsFromTheMembersAndReadsThemBackOnOk) {
  gWhileShown = [](CDialog& dialog) {
    EXPECT_EQ(dialog.GetWindowText(), "Test dialog");
    EXPECT_EQ(dialog.GetDlgItem(test::kCheck)->GetWindowText(), "Caf\xE9");
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioA1), 0u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioA2), 1u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioB1), 0u);  // -1: none of group B
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioB2), 0u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kCheck), 1u);
    // A click in group A leaves group B alone, and the static text between A2 and A3 is no index.
    dialog.SendDlgItemMessage(test::kRadioB2, BM_CLICK);
    dialog.SendDlgItemMessage(test::kRadioA3, BM_CLICK);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioA2), 0u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioB2), 1u);
    dialog.SendDlgItemMessage(test::kCheck, BM_CLICK);
    dialog.SendDlgItemMessage(IDOK, BM_CLICK);
  };
  TestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.groupA, 2);
  EXPECT_EQ(dialog.groupB, 1);
  EXPECT_EQ(dialog.check, BST_UNCHECKED);
  EXPECT_FALSE(dialog.frame.IsAttached());  // the window is gone with the dialog's end
}

TEST_F(DialogOnX, CancelKeepsTheMembersAndAGroupWithNoneCheckedReadsMinusOne) {
  gWhileShown = [](CDialog& dialog) {
    auto& test = static_cast<TestDialog&>(dialog);
    test.UpdateData(TRUE);
    EXPECT_EQ(test.groupB, -1);
    test.groupA = 7;  // no such index: none is checked
    test.UpdateData(FALSE);
    EXPECT_EQ(dialog.IsDlgButtonChecked(test::kRadioA2), 0u);
    test.UpdateData(TRUE);
    EXPECT_EQ(test.groupA, -1);
    test.groupA = 1;
    test.frame.SetWindowText("Nouveau r\xE9glage");
    EXPECT_EQ(test.frame.GetWindowText(), "Nouveau r\xE9glage");
    EXPECT_EQ(test.frame.GetCheck(), BST_UNCHECKED);
    dialog.SendDlgItemMessage(test::kRadioA1, BM_CLICK);
    dialog.SendDlgItemMessage(IDCANCEL, BM_CLICK);
  };
  TestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.groupA, 1);  // the click was not read back
}
