// The hub's game buttons on the generated content: each button's click area, an invisible sprite
// with a hot spot, shows as an outline in the panorama picture under it, exactly as wide and as tall
// as the area the button answers in, in both the full and the low-detail panorama.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "HubStage.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/SpriteContent.h"
#include "framework/GameButton.h"
#include "graphics/DisplayDevice.h"
#include "support/BackBufferColour.h"

namespace {

// A button's area in the panorama's coordinates; the far edges answer too.
struct Area {
  std::string name;
  int32_t left, top, right, bottom;

  bool Holds(int32_t x, int32_t y) const { return left <= x && x <= right && top <= y && y <= bottom; }
  bool OnOutline(int32_t x, int32_t y) const {
    const int32_t band = fixture::kOutlineWidth;
    return Holds(x, y) && !(left + band <= x && x <= right - band && top + band <= y && y <= bottom - band);
  }
};

class HubClickAreas : public test::HubStage {
protected:
  // The hub with the view at x, for a player past the first level (every game button is made).
  void EnterAt(int graphics, int32_t viewX) {
    StartGame(graphics);
    SignIn("level2.sav");
    ActivePlayerData.hubCounter = static_cast<uint32_t>(viewX);
    test::MoveMouse(400, 100);
    EnterHub();
    Frame();
  }

  std::vector<Area> InvisibleButtonAreas() const {
    std::vector<Area> areas;
    for (const GameButton* button : m_hub->GetButtons()) {
      const Qel::Point2 hotspot = button->GetHotspotSize();
      if (hotspot.X() == 0) continue;  // a button with art of its own
      const auto x = static_cast<int32_t>(button->GetX());
      const auto y = static_cast<int32_t>(button->GetY());
      areas.push_back({button->GetName(), x, y, x + hotspot.X(), y + hotspot.Y()});
    }
    return areas;
  }

  // The colour the panorama shows at x, y: the panel picture's, or its outline's on an area's edge.
  static uint32_t Expected(const std::vector<Area>& areas, const std::string& prefix, int32_t x, int32_t y) {
    const std::string panel = prefix + std::to_string(x / 800 % 4 + 1);
    const uint32_t colour = fixture::AnimationColour(panel, 0);
    for (const Area& area : areas) {
      if (area.OnOutline(x, y)) return fixture::OutlineColour(colour);
    }
    return colour;
  }

  testing::AssertionResult Shows(int32_t screenX, int32_t screenY, uint32_t expected) {
    const uint32_t actual = test::ColourAt(*m_app.GetDisplay()->GetBackBuffer(), screenX, screenY);
    for (const int shift : {16, 8, 0}) {
      const int difference =
          static_cast<int>(actual >> shift & 0xFF) - static_cast<int>(expected >> shift & 0xFF);
      if (difference > 8 || difference < -8) {
        char text[80];
        std::snprintf(text, sizeof text, "#%06X at %d, %d instead of #%06X", static_cast<unsigned>(actual),
                      static_cast<int>(screenX), static_cast<int>(screenY), static_cast<unsigned>(expected));
        return testing::AssertionFailure() << text;
      }
    }
    return testing::AssertionSuccess();
  }
};

TEST_F(HubClickAreas, EachInvisibleButtonsAreaIsOutlinedInThePictureUnderIt) {
  struct Case {
    const char* machine;
    int graphics;
    const char* panels;
  };
  for (const Case& c : {Case{"full detail", kAlpha, "Hub_"}, Case{"low detail", kNoAlpha, "sdl_Hub_bkg"}}) {
    SCOPED_TRACE(c.machine);
    EnterAt(c.graphics, 0);
    const std::vector<Area> areas = InvisibleButtonAreas();
    // The seven games' and the copies of two of them past the fourth panel.
    EXPECT_EQ(areas.size(), 9u);
    m_hub = nullptr;
    m_app.Shutdown();
    for (const Area& area : areas) {
      SCOPED_TRACE(area.name);
      // The area a little right of the view's left edge; the copies from the last view before the
      // panorama wraps.
      const int32_t view = std::clamp(area.left - 8, 0, HubNode::kPanoramaWidth - 1);
      EnterAt(c.graphics, view);
      // On each edge's band, just inside and just outside it, 24 pixels from a corner: clear of the
      // frame mark in a panel's corner, and of the cast, who stand lower on the screen's right.
      const int32_t band = fixture::kOutlineWidth;
      const int32_t l = area.left, t = area.top, r = area.right, b = area.bottom;
      const std::pair<int32_t, int32_t> points[] = {
          {l + 24, t}, {l + 24, t + band - 1}, {l + 24, t + band}, {l + 24, t - 1},
          {l, t + 24}, {l + band - 1, t + 24}, {l + band, t + 24}, {l - 1, t + 24},
          {r - 24, b}, {r - 24, b - band + 1}, {r - 24, b - band}, {r - 24, b + 1},
          {r, t + 24}, {r - band + 1, t + 24}, {r - band, t + 24}, {r + 1, t + 24},
      };
      size_t onOutline = 0;
      for (const auto& [x, y] : points) {
        const int32_t screenX = x - view;
        if (screenX < 0 || screenX >= 800 || y < 0) continue;
        onOutline += area.OnOutline(x, y);
        EXPECT_TRUE(Shows(screenX, y, Expected(areas, c.panels, x, y)))
            << "the panorama's " << x << ", " << y;
      }
      EXPECT_EQ(onOutline, 8u);
      m_hub = nullptr;
      m_app.Shutdown();
    }
  }
}

}  // namespace
