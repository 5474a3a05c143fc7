// Fuzz target: arbitrary bytes as a caption file, 8-bit or UTF-16, loaded through a memory database
// and every entry found again; the first entries are then shown on text objects of the display and
// their pages ticked through on a clock the target moves.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "core/Periodical.h"
#include "core/ResourceManager.h"
#include "framework/ApplicationClock.h"
#include "framework/ClosedCaption.h"
#include "framework/GameClock.h"
#include "framework/MainApp.h"
#include "framework/TextObject.h"
#include "graphics/SceneObject.h"
#include "graphics/StaticText.h"
#include "platform/win/kernel/Timer.h"

namespace {

constexpr const char* kCaptions = "captions";
// Caption files hold short lines; a longer input would only render a taller text surface.
constexpr size_t kMaxInput = 4096;

void Require(bool condition) {
  if (!condition) std::abort();
}

uint32_t gNow = 1000;
uint32_t FuzzTime() {
  return gNow;
}

struct Stage {
  Stage() {
    plat::win::SetTimeSourceForTesting(FuzzTime);
    ready = fuzzinput::OpenDummyDisplay();
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
    text.SetSize(680, 40);
    name.SetSize(100, 40);
    gCaptionsOn = 1;
  }

  std::shared_ptr<fuzzinput::InputDatabase> database = std::make_shared<fuzzinput::InputDatabase>(kCaptions);
  bool ready = false;
  TextObject text{"ccText", "arial", 14};
  TextObject name{"ccName", "arial", 14};
};

// A field of one line: no line end, and for the name no blank, tab or comment either.
template <typename Unit>
void CheckField(const Unit* field, bool word) {
  Require(field != nullptr);
  for (; *field != 0; ++field) {
    Require(*field != Unit('\r') && *field != Unit('\n') && *field != Unit(';'));
    if (word) Require(*field != Unit(' ') && *field != Unit('\t'));
  }
}

void CheckEntries(const ClosedCaption& caption) {
  for (size_t i = 0; i < caption.GetEntryCount(); ++i) {
    const CaptionEntry& entry = caption.GetEntry(i);
    if (entry.IsWide()) {
      Require(entry.name == nullptr && entry.text == nullptr);
      Require(entry.wideName[0] != 0);
      CheckField(entry.wideName, true);
      CheckField(entry.wideText, false);
    } else {
      Require(entry.wideName == nullptr && entry.wideText == nullptr);
      Require(entry.name[0] != 0);
      CheckField(entry.name, true);
      CheckField(entry.text, false);
    }
    // The first entry of the number in load order.
    size_t first = 0;
    while (caption.GetEntry(first).number != entry.number) ++first;
    Require(caption.Find(entry.number) == &caption.GetEntry(first));
  }
}

// Shows an entry and ticks until its caption is hidden. A page lasts its share of the second and
// the grace, under 2 s, so each tick of 2 s turns one page and the last one hides the caption.
void ShowThrough(ClosedCaption& caption, TextObject& text, const CaptionEntry& entry) {
  caption.Show(entry.number, 1000);
  Require(caption.IsRunning());
  const int32_t pages = std::max(text.GetTextBox()->GetPageCount(), 1);
  for (int32_t tick = 0; tick < pages && caption.IsRunning(); ++tick) {
    Require(caption.GetCurrentPage() == tick + 1);
    gNow += 2000;
    ApplicationClock::Instance().Update();
    GameClock::Instance().Update();
    Qel::Periodical::UpdateAll();
  }
  Require(!caption.IsRunning());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  stage.database->m_data = data;
  stage.database->m_size = size;

  ClosedCaption caption(nullptr, &stage.name, &stage.text, true);
  // An empty memory stream cannot tell its size, and reads as a resource that is not there.
  Require(caption.Load(kCaptions) || size == 0);
  CheckEntries(caption);
  // The first of each number is the one shown; a few are enough to drive the pages.
  const size_t shown = std::min<size_t>(caption.GetEntryCount(), 4);
  for (size_t i = 0; i < shown; ++i)
    ShowThrough(caption, stage.text, *caption.Find(caption.GetEntry(i).number));
  caption.Hide();
  Require(!stage.text.GetSceneObject()->IsShown());
  return 0;
}
