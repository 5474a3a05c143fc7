// The "Global" database: what every room uses, since it stays added for the whole run: the cursor,
// the caption bar, the dialogs, the help page, the movie gallery, the progress screen, loading
// pictures, button sounds and the lines and captions of those overlays.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

namespace {

using namespace kit;

// The lines of the progress screen's narration, spoken by whichever room opens it.
const std::vector<std::string> kProgressLines = {
    "1421", "1430", "1431", "1440", "1450", "1460", "1470", "1480", "1490", "1500", "1510", "1530",
    "1540", "1550", "1560", "1570", "1580", "1590", "1600", "1610", "1620", "1630", "1640", "1650",
    "1660", "1670", "1680", "1690", "1710", "1720", "1730", "1740", "1750", "1760", "1770", "1780",
    "1790", "1800", "1820", "1830", "1840", "1841", "1850", "1851", "1852", "1853", "1854", "1855",
    "1857", "1858", "1859", "1860", "1865", "1870", "1880", "1890", "1900", "1910", "1920", "1930",
};

// Captions "SignIn": the dialogs' prompts and hover lines (every room's exit dialog loads them) and
// the sign-in screen's own chain and help lines.
const std::vector<std::string> kSignInLines = {
    "0010", "0012", "0020", "0030", "0040", "0050", "0060", "0070", "0090", "0091", "0100",
    "0110", "0120", "0121", "0130", "0140", "0150", "0171", "5083", "5084", "5089",
};

// Captions "Hub": the hub cast's greetings, hover and help lines.
const std::vector<std::string> kTovinHubLines = {
    "0180", "02001", "02002", "02003", "0240", "0303", "0304", "0320", "0350", "0390", "0410", "0460", "0480",
    "0500", "0530",  "0550",  "0560",  "0580", "0600", "0620", "0640", "0670", "0710", "0740", "0750", "0790",
    "0791", "0792",  "0811",  "0820",  "0850", "0860", "0870", "0880", "0890", "0900", "0910", "0920", "0930",
    "0940", "0960",  "1000",  "1040",  "1050", "1080", "1150", "1170", "1180", "1190", "1200", "1210", "1260",
    "1271", "1280",  "1300",  "1340",  "1360", "1380", "1400", "0151", "0160", "0301", "0302",
};
const std::vector<std::string> kPiloHubLines = {
    "0190", "0210", "0260", "0280", "0290", "0310", "0340", "0400", "0420", "0450", "0490",
    "0520", "0540", "0570", "0590", "0610", "0630", "0650", "0660", "0680", "0700", "0741",
    "0760", "0780", "0810", "0830", "0970", "0990", "1020", "1030", "1060", "1070", "1090",
    "1120", "1140", "1160", "1290", "1310", "1350", "1370", "1390", "1410",
};
const std::vector<std::string> kZelkaHubLines = {
    "0220",  "0250", "0270", "0300", "0330", "0370", "0380",
    "03801", "0690", "0730", "0742", "0800", "1110", "1130",
};

void AddLines(DatabaseSpec& database, const std::vector<SpokenLineSpec>& lines) {
  database.m_spokenLines.insert(database.m_spokenLines.end(), lines.begin(), lines.end());
}

}  // namespace

DatabaseSpec GlobalDatabase() {
  DatabaseSpec database;
  database.m_name = "Global";

  // The cursor: one animation per kind (0 arrow, 1 over a button, 12 busy, 14 over a scenery
  // button, 15 and the others unused by the front end); the hot spot of the arrow kinds is 22, 21.
  database.m_sprites.push_back(Looping("Cursor", 32, 32, 16, 2));
  database.m_sprites.push_back(Picture("ccBar", 800, 40));
  database.m_sprites.push_back(Invisible("blank"));

  // Dialogs: the box stands where the dialog leaves it (0, 0), so the picture carries the place.
  database.m_sprites.push_back(Picture("DialogBox", 400, 240, 200, 160));
  database.m_sprites.push_back(Picture("DialogBox_2", 400, 240, 200, 160));
  database.m_sprites.push_back(Button("Pilo_yes", 140, 80));
  database.m_sprites.push_back(Button("Pilo_no", 140, 80));
  // Portraits of the six player slots: the progress button and the delete dialog's portrait.
  for (const std::string& name : Numbered("ProgIcon", 6)) database.m_sprites.push_back(Button(name, 56, 56));
  database.m_sprites.push_back(Button("ActBackArrow", 86, 63));
  database.m_sprites.push_back(Button("ActBackArrow_sdl", 86, 63));
  database.m_sprites.push_back(Button("HelpButton", 56, 56));
  database.m_sprites.push_back(Picture("loading_gen1", 800, 600));
  database.m_sprites.push_back(Picture("loading_gen2", 800, 600));

  // The help page: 41 page pictures, 0 the resting one.
  database.m_sprites.push_back(Picture("help_bkg", 800, 600));
  database.m_sprites.push_back(Looping("help_overlay", 600, 400, 41, 1, 100, 80));

  // The movie gallery.
  database.m_sprites.push_back(Picture("replayMovieBK", 800, 600));
  database.m_sprites.push_back(Invisible("actback_blank", 86, 63));
  for (const char* name : {"replayUpArrow", "replayDownArrow", "replayUpArrow_sdl", "replayDownArrow_sdl"})
    database.m_sprites.push_back(Button(name, 60, 60));
  database.m_sprites.push_back(Looping("replay_mov_but", 520, 150, 7, 1));

  // The progress screen: each row's pictures stand where the row is, the digits where they are put.
  database.m_sprites.push_back(Picture("prog_main", 800, 600));
  {
    SpriteSpec titles = Looping("prog_gametitle", 120, 30, 5, 1);
    for (int r = 0; r < 5; ++r) {
      titles.m_animations[static_cast<size_t>(r)].m_offsetX = 70 + 133 * r;
      titles.m_animations[static_cast<size_t>(r)].m_offsetY = 420;
    }
    database.m_sprites.push_back(titles);
  }
  const char* const successSprites[] = {"prog_turtle", "prog_moon", "prog_shark", "prog_monty", "prog_conc"};
  for (int r = 0; r < 5; ++r)
    database.m_sprites.push_back(Looping(successSprites[r], 100, 90, 6, 1, 80 + 133 * r, 460));
  database.m_sprites.push_back(Looping("prog_numbers", 16, 24, 10, 1));
  database.m_sprites.push_back(Picture("prog_supertitle", 200, 40, 300, 150));
  database.m_sprites.push_back(Looping("prog_trophys", 80, 80, 6, 1, 560, 200));
  database.m_sprites.push_back(Looping("prog_superopen", 80, 80, 5, 1, 460, 200));

  database.m_sounds = {Effect("placeholder", 400), Effect("ButtonDown"), Effect("ButtonDown3"),
                       Effect("ButtonDown4"), Effect("button_01")};

  AddLines(database, Lines(kSignInLines, "SignIn", "Pilo"));
  AddLines(database, Lines({"4440", "4441", "4442", "4450"}, "FMVScreen", "Pilo"));
  AddLines(database, Lines(kProgressLines, "Hub", "Tovin"));
  AddLines(database, Lines(kTovinHubLines, "Hub", "Tovin", true));
  AddLines(database, Lines(kPiloHubLines, "Hub", "Pilo", true));
  AddLines(database, Lines(kZelkaHubLines, "Hub", "Zelka", true));
  return database;
}

}  // namespace fixture
