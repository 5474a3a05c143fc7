// The "SignIn" database: the player-select screen. Its lines and captions ("SignIn") are Global's,
// since every room's exit dialog speaks some of them.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// The same objects for both display paths; the files differ only in name.
std::vector<ObjectSpec> SignInObjects() {
  const std::vector<std::pair<std::string, std::string>> button = {{"rollovercursor", "1"},
                                                                   {"clicksound", "ButtonDown"}};
  return {
      Object("background", "SignInBk", "SignIn_bkg", 0, 0, 0),
      Object("ambient", "portrait", "SignIn_portrait", 494, 114, 900),
      Object("ActiveGameButton", "Playbut", "SignInPlayBut", 560, 380, 200, button),
      Object("ActiveGameButton", "Deletebut", "SignInDeleteBut", 420, 380, 201, button),
      // A plain clickable: a button's hover looks would cover its off (0) and on (1) looks.
      Object("clickable", "ccOnOff", "SignIn_ccOnOff", 700, 40, 202, button),
      // Nothing in the program leads to the demo pages; these small buttons do.
      Object("changenodebutton", "DemoSharkLink", "DemoLinkBut", 620, 560, 210,
             {{"targetnode", "SharkTitlescreen"}}),
      Object("changenodebutton", "DemoTribalLink", "DemoLinkBut", 670, 560, 211,
             {{"targetnode", "tribaltitlescreen"}}),
      Object("changenodebutton", "DemoUpsellLink", "DemoLinkBut", 720, 560, 212,
             {{"targetnode", "UpsellTitleScreen"}}),
  };
}

}  // namespace

DatabaseSpec SignInDatabase() {
  DatabaseSpec database;
  database.m_name = "SignIn";
  database.m_sprites = {
      Picture("SignIn_bkg", 800, 600),
      Looping("SignIn_portrait", 216, 244, 6, 1),
      Button("SignInPlayBut", 120, 80),
      Button("SignInDeleteBut", 120, 80),
      Looping("SignIn_ccOnOff", 60, 40, 3, 1),
      Button("DemoLinkBut", 40, 30),
      // Animations 0 and 1 alternate every ten seconds; 2 is the first.
      Looping("SignIn_fishAmbients", 120, 60, 3, 2, 60, 460),
      Looping("Catch_bubblestream", 40, 300, 1, 4, 80, 0),
      Looping("Catch_bubblestream2", 40, 300, 1, 4, 80, 0),
  };
  for (int i = 0; i < 6; ++i) {
    for (const char* state : {"Used", "UnUsed", "UnUsed_sdl"})
      database.m_sprites.push_back(Button("Char" + std::to_string(i) + state, 100, 100));
  }
  database.m_objectFiles.push_back({"SignInObjs", SignInObjects()});
  database.m_objectFiles.push_back({"SignInObjs_sdl", SignInObjects()});
  // The sign-in screen reads no key of its own.
  database.m_textFiles.push_back({"SignInData", {"; the sign-in screen", "room = signin"}});
  return database;
}

}  // namespace fixture
