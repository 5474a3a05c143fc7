// The game reads what the settings tool wrote: its own reader fills the options from the file the
// tool left, quietly or through the dialog, and the low-spec test follows the measured machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/AppOptions.h"
#include "framework/NodeManager.h"
#include "framework/TxtDataManager.h"
#include "framework/WinApp.h"
#include "platform/mfc/Dialog.h"
#include "platform/win/kernel/Module.h"
#include "support/LoggingNode.h"
#include "support/SettingsToolRun.h"
#include "support/TempDir.h"

namespace {

// A settings file as a user's first run leaves it, before the tool has been run.
constexpr const char* kSeeded =
    "; Pilo settings\n"
    "hdpath = /home/me/.local/share/pilo/content\n"
    "cdpath = /media/cdrom\n"
    "language = eng_usa\n"
    "windowed = 1\n"
    "ccon = 1\n";

AppOptions ReadAsTheGameDoes() {
  const std::string text = test::ReadFile("Pilo.ini");
  auto block = std::make_shared<Qel::MemoryBlock>();
  EXPECT_TRUE(block->Allocate(static_cast<uint32_t>(text.size())));
  std::memcpy(block->GetData(), text.data(), text.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  AppOptions options;
  EXPECT_TRUE(TxtDataManager::Instance().ParseStream(stream, options));
  return options;
}

void ExpectSeededKeysKept(const AppOptions& options) {
  EXPECT_STREQ(options.GetHdPath(), "/home/me/.local/share/pilo/content");
  EXPECT_STREQ(options.GetCdPath(), "/media/cdrom");
  EXPECT_STREQ(options.GetLanguage(), "eng_usa");
  EXPECT_TRUE(options.IsWindowed());
  EXPECT_TRUE(options.AreCaptionsOn());
}

}  // namespace

TEST(SettingsTool, TheGameReadsWhatQuietModeWroteAndItsLowSpecTestFollowsTheMachine) {
  unsetenv("DISPLAY");
  NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
  struct Case {
    int32_t cpu;
    int32_t memory;
    const char* streaming;  // as the seeded file says it
    int32_t graphics;
    bool streamMusic;
    bool lowSpec;
  };
  const Case cases[] = {
      {1000, 256, "", 2, true, false},
      {500, 256, "streammusic = 0\n", 0, false, true},
      {1000, 96, "streammusic = 1\n", 0, true, true},
      {2400, 8192, "streammusic = False\n", 2, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cpu) + " MHz, " + std::to_string(c.memory) + " MB");
    // The tool reads its keys from its own section, as it writes them there.
    test::WriteFile("Pilo.ini", std::string(kSeeded) + "[Config]\n" + c.streaming);
    ASSERT_EQ(test::RunTool({"/q"}, c.cpu, c.memory), 0);

    const AppOptions options = ReadAsTheGameDoes();
    EXPECT_EQ(options.GetGraphicsLevel(), c.graphics);
    EXPECT_EQ(options.StreamMusic(), c.streamMusic);
    EXPECT_EQ(options.GetCpuMhz(), c.cpu);
    EXPECT_EQ(options.GetMemoryMb(), c.memory);
    ExpectSeededKeysKept(options);

    // The game's own start-up reads the same file; graphics 0 and 2 both leave an SDL display.
    WinApp& app = GetWinApp();
    ASSERT_TRUE(app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    EXPECT_EQ(app.GetOptions().GetCpuMhz(), c.cpu);
    EXPECT_EQ(app.GetOptions().GetGraphicsLevel(), c.graphics);
    EXPECT_EQ(app.IsLowSpec(), c.lowSpec);
    app.Shutdown();
  }
}

// The tool run in a data folder that has no settings file yet makes one with CR LF line ends, as the
// game's first run seeds it, and the game reads every key of it.
TEST(SettingsTool, TheGameReadsTheFileTheToolMadeWhereThereWasNone) {
  unsetenv("DISPLAY");
  NodeManager::Instance().SetNodeFactoryForTesting(test::LoggingNode::Create);
  std::filesystem::remove("Pilo.ini");
  ASSERT_EQ(test::RunTool({"/q"}, 500, 256), 0);
  EXPECT_EQ(test::ReadFile("Pilo.ini"),
            "[Config]\r\ngraphics= 0\r\nstreammusic= true\r\ncpu= 500\r\nmem= 256\r\n");
  const AppOptions options = ReadAsTheGameDoes();
  EXPECT_EQ(options.GetGraphicsLevel(), 0);
  EXPECT_TRUE(options.StreamMusic());
  EXPECT_EQ(options.GetCpuMhz(), 500);
  EXPECT_EQ(options.GetMemoryMb(), 256);

  WinApp& app = GetWinApp();
  ASSERT_TRUE(app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
  EXPECT_EQ(app.GetOptions().GetGraphicsLevel(), 0);
  EXPECT_EQ(app.GetOptions().GetMemoryMb(), 256);
  EXPECT_TRUE(app.IsLowSpec());
  app.Shutdown();
}

namespace {
std::function<void(plat::mfc::CDialog&)> gWhileShown;
}

TEST(SettingsToolOnX, TheGameReadsWhatTheDialogWrote) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  plat::mfc::SetDialogShownHookForTesting([](plat::mfc::CDialog& dialog) { gWhileShown(dialog); });
  struct Case {
    int radio;
    bool toggleStreaming;
    int32_t graphics;
    bool streamMusic;
  };
  const Case cases[] = {{1002, true, 0, false}, {1001, false, 1, true}, {1000, true, 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radio);
    test::WriteFile("Pilo.ini", kSeeded);
    static const Case* current;
    current = &c;
    gWhileShown = [](plat::mfc::CDialog& dialog) {
      dialog.SendDlgItemMessage(current->radio, plat::mfc::BM_CLICK);
      if (current->toggleStreaming) dialog.SendDlgItemMessage(1005, plat::mfc::BM_CLICK);
      dialog.SendDlgItemMessage(plat::mfc::IDOK, plat::mfc::BM_CLICK);
    };
    ASSERT_EQ(test::RunTool({}, 733, 384), 0);
    const AppOptions options = ReadAsTheGameDoes();
    EXPECT_EQ(options.GetGraphicsLevel(), c.graphics);
    EXPECT_EQ(options.StreamMusic(), c.streamMusic);
    EXPECT_EQ(options.GetCpuMhz(), 733);
    EXPECT_EQ(options.GetMemoryMb(), 384);
    ExpectSeededKeysKept(options);
  }
  plat::mfc::SetDialogShownHookForTesting(nullptr);
}
