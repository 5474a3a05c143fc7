// The settings tool's resources: the dialog template 102, its control ids and the icon 128.
#include "settings-tool/ConfigResources.h"

#include <array>
#include <cstdlib>

using namespace plat::mfc;

namespace {

constexpr DialogItemTemplate kConfigItems[] = {
    {IDC_GFX_BOX, ControlClass::Button, BS_GROUPBOX, 5, 5, 148, 155, "Graphics Detail"},
    {IDC_GFX_HIGH, ControlClass::Button, BS_AUTORADIOBUTTON | WS_GROUP, 15, 20, 55, 10, "High"},
    {IDC_GFX_HIGH_DESC, ControlClass::Static, 0, 15, 30, 130, 35,
     "Graphics are drawn with hardware alpha blending.  This option is best suited for Pentium III (or "
     "later) "
     "computers."},
    {IDC_GFX_MED, ControlClass::Button, BS_AUTORADIOBUTTON, 15, 65, 55, 10, "Medium"},
    {IDC_GFX_MED_DESC, ControlClass::Static, 0, 15, 75, 130, 35,
     "Graphics are drawn with software alpha blending.  Use this option if your computer has problems in "
     "high "
     "detail mode."},
    {IDC_GFX_LOW, ControlClass::Button, BS_AUTORADIOBUTTON, 15, 110, 55, 10, "Low"},
    {IDC_GFX_LOW_DESC, ControlClass::Static, 0, 15, 120, 130, 35,
     "Graphics are drawn without alpha blending.  This offers the best performance for older Pentium II "
     "computers."},
    {IDC_MUSIC_BOX, ControlClass::Button, BS_GROUPBOX | WS_GROUP, 160, 5, 100, 155, "Music Playback"},
    {IDC_MUSIC_STREAM, ControlClass::Button, BS_AUTOCHECKBOX | WS_TABSTOP, 170, 20, 67, 10,
     "Stream off disk"},
    {IDC_MUSIC_DESC, ControlClass::Static, WS_GROUP, 170, 30, 85, 40,
     "Streaming off disk is faster but may cause skipping on slower computers.  "},
    {IDOK, ControlClass::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 175, 165, 40, 14, "OK"},
    {IDCANCEL, ControlClass::Button, BS_PUSHBUTTON | WS_TABSTOP, 220, 165, 40, 14, "Cancel"},
};

constexpr DialogTemplate kConfigDialogs[] = {
    {IDD_CONFIG_DIALOG, 266, 183, "Brelmar Configuration", "MS Sans Serif", 8, kConfigItems},
};

constexpr int kIconSize = 32;

// A settings picture of our own: three slider tracks with their knobs on a sea-blue tile with
// rounded corners.
std::array<uint32_t, kIconSize * kIconSize> MakeIcon() {
  constexpr uint32_t kClear = 0x00000000;
  constexpr uint32_t kTile = 0xFF1E6FB4;
  constexpr uint32_t kEdge = 0xFF0F3C64;
  constexpr uint32_t kTrack = 0xFFE8F0F8;
  constexpr uint32_t kKnob = 0xFFFFC83C;
  constexpr int kTrackRows[] = {8, 16, 24};
  constexpr int kKnobColumns[] = {20, 10, 15};
  std::array<uint32_t, kIconSize * kIconSize> pixels{};
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      // Distance into a corner beyond the 5-pixel rounding.
      const int cx = x < 5 ? 5 - x : (x > 26 ? x - 26 : 0);
      const int cy = y < 5 ? 5 - y : (y > 26 ? y - 26 : 0);
      const int corner = cx * cx + cy * cy;
      uint32_t colour =
          corner > 25 ? kClear : (corner > 16 || x == 0 || y == 0 || x == 31 || y == 31 ? kEdge : kTile);
      for (int track = 0; track < 3; ++track) {
        const int row = kTrackRows[track];
        if (colour == kTile && x >= 5 && x <= 26 && (y == row || y == row + 1)) colour = kTrack;
        if (colour != kClear && std::abs(x - kKnobColumns[track]) <= 2 && std::abs(y - row) <= 3 &&
            y - row >= -2) {
          colour = kKnob;
        }
      }
      pixels[static_cast<size_t>(y * kIconSize + x)] = colour;
    }
  }
  return pixels;
}

}  // namespace

const ResourceTable& ConfigResources() {
  static const std::array<uint32_t, kIconSize* kIconSize> pixels = MakeIcon();
  static const IconImage icons[] = {{IDR_MAINFRAME, kIconSize, kIconSize, pixels.data()}};
  static const ResourceTable table = {kConfigDialogs, icons};
  return table;
}
