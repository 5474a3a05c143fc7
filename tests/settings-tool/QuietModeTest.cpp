// Quiet mode and the command line: the choice from the probes, streaming kept as the game reads it,
// the settings file's other bytes kept, and a file that cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings-tool/ConfigCommandLineInfo.h"
#include "settings-tool/ConfigSettings.h"
#include "support/SettingsToolRun.h"
#include "support/TempDir.h"

namespace {

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

}  // namespace

TEST(CommandLine, QuietModeFollowsASwitchBeginningWithQOrAnyParameterWithCapitalQ) {
  struct Case {
    const char* argument;
    bool quiet;
  };
  const Case cases[] = {
      {"/q", true}, {"-q", true},     {"-Q", true}, {"/quiet", true}, {"Q", true}, {"Quiet", true},
      {"q", false}, {"quiet", false}, {"x", false}, {"/x", false},    {"", false}, {"-", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    CConfigCommandLineInfo info;
    const bool isSwitch = c.argument[0] == '/' || c.argument[0] == '-';
    info.ParseParam(isSwitch ? c.argument + 1 : c.argument, isSwitch, plat::mfc::TRUE);
    EXPECT_EQ(info.m_bQuiet != 0, c.quiet);
  }
}

TEST(QuietMode, ChoosesHighOrLowFromTheProbesAndKeepsStreamingAsTheGameReadsIt) {
  unsetenv("DISPLAY");  // quiet mode needs none
  struct Case {
    int32_t cpu;
    int32_t memory;
    const char* settings;  // null: no file
    const char* written;
  };
  const Case cases[] = {
      {500, 256, nullptr, "graphics= 0\nstreammusic= true\ncpu= 500\nmem= 256\n"},
      {1000, 96, nullptr, "graphics= 0\nstreammusic= true\ncpu= 1000\nmem= 96\n"},
      {1000, 256, nullptr, "graphics= 2\nstreammusic= true\ncpu= 1000\nmem= 256\n"},
      {0, 256, nullptr, "graphics= 0\nstreammusic= true\ncpu= 0\nmem= 256\n"},  // the clock failed
      {530, 128, nullptr, "graphics= 2\nstreammusic= true\ncpu= 530\nmem= 128\n"},
      {529, 128, nullptr, "graphics= 0\nstreammusic= true\ncpu= 529\nmem= 128\n"},
      {1000, 256, "graphics=1\n", "graphics= 2\nstreammusic= true\ncpu= 1000\nmem= 256\n"},  // never medium
      {1000, 256, "streammusic=False\n", "streammusic= false\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
      {1000, 256, "streammusic = 1\n", "streammusic= true\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
      {1000, 256, "streammusic=0\n", "streammusic= false\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
      {1000, 256, "streammusic=TRUE ; on\n", "streammusic= true\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
      {1000, 256, "streammusic=yes\n", "streammusic= false\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
      {1000, 256, "streammusic=\n", "streammusic= true\ngraphics= 2\ncpu= 1000\nmem= 256\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cpu) + " MHz, " + std::to_string(c.memory) + " MB, " +
                 (c.settings ? c.settings : "no file"));
    std::filesystem::remove("Pilo.ini");
    if (c.settings) test::WriteFile("Pilo.ini", std::string("[Config]\n") + c.settings);
    ASSERT_EQ(test::RunTool({"/q"}, c.cpu, c.memory), 0);
    // A file the tool makes ends its lines in CR LF; one it edits keeps its own line ends.
    const std::string written = std::string("[Config]\n") + c.written;
    EXPECT_EQ(test::ReadFile("Pilo.ini"), c.settings ? written : WithCrLf(written));
  }
}

TEST(QuietMode, KeepsEveryOtherByteOfTheSettingsFile) {
  test::WriteFile("Pilo.ini",
                  "; Pilo settings, edited by hand\r\n"
                  "hdpath = /home/me/pilo\r\n"
                  "windowed = 1\r\n"
                  "\r\n"
                  "[Other]\r\n"
                  "graphics = 1\r\n"
                  "\r\n"
                  "[Config]\r\n"
                  "mem = 4\r\n"
                  "Graphics = 1\r\n"
                  "ccon = 1\r\n"
                  "\r\n"
                  "[Last]\r\n"
                  "x = y");
  ASSERT_EQ(test::RunTool({"-Q"}, 2000, 512), 0);
  EXPECT_EQ(test::ReadFile("Pilo.ini"),
            "; Pilo settings, edited by hand\r\n"
            "hdpath = /home/me/pilo\r\n"
            "windowed = 1\r\n"
            "\r\n"
            "[Other]\r\n"
            "graphics = 1\r\n"
            "\r\n"
            "[Config]\r\n"
            "mem= 512\r\n"
            "graphics= 2\r\n"
            "ccon = 1\r\n"
            "streammusic= true\r\n"
            "cpu= 2000\r\n"
            "\r\n"
            "[Last]\r\n"
            "x = y");
}

TEST(QuietMode, ASettingsFileThatCannotBeReplacedIsReportedWithAFailingStatus) {
  std::filesystem::create_directory("Pilo.ini");
  test::WriteFile("Pilo.ini/kept", "x");
  testing::internal::CaptureStderr();
  EXPECT_EQ(test::RunTool({"/q"}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Can't write the settings file Pilo.ini\n");
  EXPECT_EQ(test::ReadFile("Pilo.ini/kept"), "x");
  // The next start that can write reports success: the failure was that start's alone.
  std::filesystem::remove_all("Pilo.ini");
  EXPECT_EQ(test::RunTool({"/q"}), 0);
}

TEST(DialogMode, WithoutADisplayEndsWithAMessageAndWritesNothing) {
  for (const char* display : {static_cast<const char*>(nullptr), ":4242"}) {
    SCOPED_TRACE(display ? display : "unset");
    if (display) {
      setenv("DISPLAY", display, 1);
    } else {
      unsetenv("DISPLAY");
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(test::RunTool({}), 1);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.rfind("Error: The settings dialog cannot be shown: no display is available.", 0), 0u)
        << printed;
    EXPECT_FALSE(std::filesystem::exists("Pilo.ini"));
  }
}

TEST(ConfigSettings, AMissingFileGivesTheDefaults) {
  ConfigSettings settings;
  settings.m_graphics = 0;
  settings.m_streamMusic = 0;
  settings.Read();
  EXPECT_EQ(settings.m_graphics, 2);
  EXPECT_EQ(settings.m_streamMusic, 1);
  EXPECT_FALSE(std::filesystem::exists("Pilo.ini"));
}
