// The application, its command line, resources and message box, and dialogs where no display is.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestDialog.h"
#include "platform/mfc/CommandLineInfo.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/WinApp.h"

using namespace plat::mfc;

namespace {

struct Param {
  std::string text;
  bool isSwitch;
  bool isLast;
  bool operator==(const Param&) const = default;
};

class RecordingInfo : public CCommandLineInfo {
public:
  void ParseParam(const char* param, BOOL isSwitch, BOOL isLast) override {
    params.push_back({param, isSwitch != FALSE, isLast != FALSE});
  }
  std::vector<Param> params;
};

class RecordingApp : public CWinApp {
public:
  BOOL InitInstance() override {
    ParseCommandLine(info);
    icon = LoadIcon(test::kTestIconId);
    missingIcon = LoadIcon(128);
    return FALSE;
  }
  int ExitInstance() override { return 3; }
  RecordingInfo info;
  HICON icon = nullptr;
  HICON missingIcon = nullptr;
};

class InitCounting : public CDialog {
public:
  InitCounting() : CDialog(test::kTestDialogId) {}
  int inits = 0;

protected:
  BOOL OnInitDialog() override {
    ++inits;
    return CDialog::OnInitDialog();
  }
};

}  // namespace

TEST(Application, RunsInitInstanceWithTheCommandLineAndEndsWithExitInstancesStatus) {
  RecordingApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  const char* args[] = {"piloconfig", "/q", "-Quiet", "plain", "/", "last"};
  EXPECT_EQ(AfxWinMain(&test::kTestResources, 6, const_cast<char**>(args)), 3);
  const std::vector<Param> expected = {{"q", true, false},
                                       {"Quiet", true, false},
                                       {"plain", false, false},
                                       {"", true, false},
                                       {"last", false, true}};
  EXPECT_EQ(app.info.params, expected);
  ASSERT_NE(app.icon, nullptr);
  EXPECT_EQ(app.icon->width, 2);
  EXPECT_EQ(app.missingIcon, nullptr);
}

TEST(Application, MapsDialogUnitsEdgeByEdge) {
  struct Case {
    int x, y, cx, cy;
    RECT pixels;
  };
  const Case cases[] = {
      {0, 0, 266, 183, {0, 0, 399, 297}},  // the settings dialog's client area
      {5, 5, 148, 155, {8, 8, 230, 260}},  // halves round away from zero, each edge on its own
      {15, 20, 55, 10, {23, 33, 105, 49}},
      {175, 165, 40, 14, {263, 268, 323, 291}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    const RECT r = MapDialogRect(c.x, c.y, c.cx, c.cy);
    EXPECT_EQ(r.left, c.pixels.left);
    EXPECT_EQ(r.top, c.pixels.top);
    EXPECT_EQ(r.right, c.pixels.right);
    EXPECT_EQ(r.bottom, c.pixels.bottom);
  }
}

TEST(Application, ADialogWithoutADisplayIsNotShownAndTouchesNoToolkit) {
  AfxSetResourceHandle(&test::kTestResources);
  // No DISPLAY at all, and one whose server is not there: FLTK would end the process on that.
  for (const char* display : {static_cast<const char*>(nullptr), ":4242"}) {
    SCOPED_TRACE(display ? display : "unset");
    if (display) {
      setenv("DISPLAY", display, 1);
    } else {
      unsetenv("DISPLAY");
    }
    InitCounting dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.inits, 0);
  }
}

TEST(Application, ADialogWithoutATemplateIsNotShown) {
  AfxSetResourceHandle(nullptr);
  CDialog dialog(test::kTestDialogId);
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Application, AMessageBoxWithoutADisplayOnlyPrints) {
  unsetenv("DISPLAY");
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Error: Can't open config file x", "Error", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "no caption", nullptr, MB_OK), IDOK);
  // Only a text that begins with the caption and a colon goes out as it is.
  EXPECT_EQ(MessageBoxA(nullptr, "Errors: two", "Error", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Warning: low memory", "Error", MB_OK), IDOK);
  EXPECT_EQ(
      testing::internal::GetCapturedStderr(),
      "Error: Can't open config file x\nError: no caption\nError: Errors: two\nError: Warning: low memory\n");
}
