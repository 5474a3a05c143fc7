// The settings dialog on a real X server: template geometry, the start state from "Pilo.ini", the
// choices written back, and the captions of "PiloConfig.ini".
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CaptionFile.h"
#include "platform/mfc/Dialog.h"
#include "support/SettingsToolRun.h"
#include "support/TempDir.h"

using namespace plat::mfc;

namespace {

std::function<void(CDialog&)> gWhileShown;

struct Control {
  int id;
  int x, y, cx, cy;  // dialog units, as the template gives them
  const char* text;  // the template's
};

// The template's rows, written out here apart from the program's own table.
const Control kControls[] = {
    {1010, 5, 5, 148, 155, "Graphics Detail"},
    {1000, 15, 20, 55, 10, "High"},
    {1006, 15, 30, 130, 35,
     "Graphics are drawn with hardware alpha blending.  This option is best suited for Pentium III (or "
     "later) "
     "computers."},
    {1001, 15, 65, 55, 10, "Medium"},
    {1007, 15, 75, 130, 35,
     "Graphics are drawn with software alpha blending.  Use this option if your computer has problems in "
     "high "
     "detail mode."},
    {1002, 15, 110, 55, 10, "Low"},
    {1008, 15, 120, 130, 35,
     "Graphics are drawn without alpha blending.  This offers the best performance for older Pentium II "
     "computers."},
    {1009, 160, 5, 100, 155, "Music Playback"},
    {1005, 170, 20, 67, 10, "Stream off disk"},
    {1011, 170, 30, 85, 40, "Streaming off disk is faster but may cause skipping on slower computers.  "},
    {1, 175, 165, 40, 14, "OK"},
    {2, 220, 165, 40, 14, "Cancel"},
};

int Across(int units) {
  return static_cast<int>(std::floor(units * 6 / 4.0 + 0.5));
}
int Down(int units) {
  return static_cast<int>(std::floor(units * 13 / 8.0 + 0.5));
}

class ConfigDialogOnX : public testing::Test {
protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    SetDialogShownHookForTesting([](CDialog& dialog) { gWhileShown(dialog); });
    std::filesystem::remove_all("Pilo.ini");
    std::filesystem::copy_file(PILO_CAPTION_FILE, "PiloConfig.ini",
                               std::filesystem::copy_options::overwrite_existing);
  }
  void TearDown() override { SetDialogShownHookForTesting(nullptr); }
};

std::string Text(CDialog& dialog, int id) {
  return dialog.GetDlgItem(id)->GetWindowText();
}

}  // namespace

TEST_F(ConfigDialogOnX, HasTheTemplatesClientAreaAndEveryControlItsRectangle) {
  gWhileShown = [](CDialog& dialog) {
    EXPECT_EQ(dialog.GetWindowText(), "Brelmar Configuration");
    RECT client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client.right - client.left, 399);
    EXPECT_EQ(client.bottom - client.top, 297);
    for (const Control& control : kControls) {
      SCOPED_TRACE(control.id);
      RECT rect;
      ASSERT_NE(dialog.GetDlgItem(control.id), nullptr);
      dialog.GetDlgItem(control.id)->GetWindowRect(&rect);
      dialog.ScreenToClient(&rect);
      EXPECT_EQ(rect.left, Across(control.x));
      EXPECT_EQ(rect.top, Down(control.y));
      EXPECT_EQ(rect.right, Across(control.x + control.cx));
      EXPECT_EQ(rect.bottom, Down(control.y + control.cy));
    }
    dialog.SendDlgItemMessage(IDCANCEL, BM_CLICK);
  };
  EXPECT_EQ(test::RunTool({}), 0);
}

TEST_F(ConfigDialogOnX, StartsWithTheRadioButtonOfTheFilesGraphicsAndItsStreaming) {
  struct Case {
    const char* settings;
    int checkedRadio;  // 0: none
    bool streaming;
  };
  const Case cases[] = {
      {"graphics=2\n", 1000, true},
      {"graphics=1\nstreammusic=0\n", 1001, false},
      {"graphics=0\nstreammusic=FALSE\n", 1002, false},
      {"graphics=7\nstreammusic=1\n", 0, true},
      {"graphics=-5\n", 0, true},
      {"graphics=-2147483648\n", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    test::WriteFile("Pilo.ini", std::string("[Config]\n") + c.settings);
    static const Case* current;
    current = &c;
    gWhileShown = [](CDialog& dialog) {
      for (int id : {1000, 1001, 1002})
        EXPECT_EQ(dialog.IsDlgButtonChecked(id), id == current->checkedRadio ? 1u : 0u);
      EXPECT_EQ(dialog.IsDlgButtonChecked(1005), current->streaming ? 1u : 0u);
      dialog.SendDlgItemMessage(IDCANCEL, BM_CLICK);
    };
    EXPECT_EQ(test::RunTool({}), 0);
  }
}

TEST_F(ConfigDialogOnX, WritesTheChoiceOnOkAndWhatWasReadOnCancel) {
  struct Case {
    const char* name;
    const char* settings;
    std::vector<int> clicks;
    const char* written;
  };
  const Case cases[] = {
      {"Low, then OK", "graphics=2\n", {1002, IDOK}, "graphics= 0\nstreammusic= true\n"},
      {"Medium, then OK", "graphics=2\n", {1001, IDOK}, "graphics= 1\nstreammusic= true\n"},
      {"the check box, then OK",
       "graphics=1\nstreammusic=true\n",
       {1005, IDOK},
       "graphics= 1\nstreammusic= false\n"},
      {"Low and the check box, then Cancel",
       "graphics=1\nstreammusic=0\n",
       {1002, 1005, IDCANCEL},
       "graphics= 1\nstreammusic= false\n"},
      {"OK with no radio button checked", "graphics=7\n", {IDOK}, "graphics= 3\nstreammusic= true\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteFile("Pilo.ini", std::string("[Config]\n") + c.settings);
    static const Case* current;
    current = &c;
    gWhileShown = [](CDialog& dialog) {
      for (int id : current->clicks) dialog.SendDlgItemMessage(id, BM_CLICK);
    };
    EXPECT_EQ(test::RunTool({}, 1234, 567), 0);
    EXPECT_EQ(test::ReadFile("Pilo.ini"), std::string("[Config]\n") + c.written + "cpu= 1234\nmem= 567\n");
  }
}

TEST_F(ConfigDialogOnX, TakesTheCaptionsOfTheCaptionFileAndKeepsTheTemplatesTextsWhereItHasNone) {
  test::WriteFile("PiloConfig.ini", test::CaptionFileBytes(u"WindowTitle=R\u00E9glages de Pilo\r\n"
                                                           u"gfxhigh = \u00C9lev\u00E9\r\n"
                                                           u"GfxLowDesc=Sans m\u00E9lange.\r\n"
                                                           u"CancelBut=Annuler"));
  gWhileShown = [](CDialog& dialog) {
    EXPECT_EQ(dialog.GetWindowText(), "R\xE9glages de Pilo");
    for (const Control& control : kControls) {
      SCOPED_TRACE(control.id);
      std::string expected = control.text;
      if (control.id == 1000) expected = "\xC9lev\xE9";
      if (control.id == 1008) expected = "Sans m\xE9lange.";
      if (control.id == IDCANCEL) expected = "Annuler";
      EXPECT_EQ(Text(dialog, control.id), expected);
    }
    dialog.SendDlgItemMessage(IDCANCEL, BM_CLICK);
  };
  EXPECT_EQ(test::RunTool({}), 0);
}

TEST_F(ConfigDialogOnX, WithoutACaptionFileReportsItAndShowsTheTemplatesTexts) {
  std::filesystem::remove("PiloConfig.ini");
  gWhileShown = [](CDialog& dialog) {
    EXPECT_EQ(dialog.GetWindowText(), "Brelmar Configuration");
    for (const Control& control : kControls) EXPECT_EQ(Text(dialog, control.id), control.text) << control.id;
    dialog.SendDlgItemMessage(IDOK, BM_CLICK);
  };
  testing::internal::CaptureStderr();
  EXPECT_EQ(test::RunTool({}), 0);
  // Looked for beside the program at last, and named there, once.
  const auto beside = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "PiloConfig.ini";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error: Can't open config file " + beside.string() + "\n");
}

TEST_F(ConfigDialogOnX, ASettingsFileThatCannotBeWrittenEndsInTheErrorBoxAndAFailingStatus) {
  std::filesystem::create_directory("Pilo.ini");
  gWhileShown = [](CDialog& dialog) { dialog.SendDlgItemMessage(IDOK, BM_CLICK); };
  testing::internal::CaptureStderr();
  EXPECT_EQ(test::RunTool({}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Can't write the settings file Pilo.ini\n");
  EXPECT_TRUE(std::filesystem::is_directory("Pilo.ini"));
}
