// Closed captions: the entries of caption files, and the caption shown page by page over a sound's
// length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Periodical.h"

class GenericObject;
class TextObject;

// Captions show only while gCaptionsOn (framework/MainApp.h) is not 0.

// One caption line. The texts point into the buffer of the file it came from, which its caption
// display keeps: an entry of an 8-bit file sets name and text, one of a UTF-16 file wideName and
// wideText; the other pair is null.
struct CaptionEntry {
  int32_t number = 0;
  const char* name = nullptr;
  const char16_t* wideName = nullptr;
  const char* text = nullptr;
  const char16_t* wideText = nullptr;

  bool IsWide() const { return wideText != nullptr; }
};

// The caption bar of a node or an overlay. None of the three objects is owned; the bar and the name
// may be missing.
class ClosedCaption : public Qel::Periodical {
public:
  // Each page of a caption stays this much longer than its share of the sound.
  static constexpr uint32_t kPageGraceMs = 500;

  // Empties the name and the text and hides all three objects. useGameClock: pages follow the
  // game clock (node captions, which stop with the game), else the application clock (overlay
  // captions, which run on while the game is paused).
  ClosedCaption(GenericObject* barObject, TextObject* nameObject, TextObject* textObject, bool useGameClock);
  ~ClosedCaption() override;

  // Adds the entries of the caption file (a "txt " resource of that name) after those loaded
  // before; false, with nothing added, when there is no such resource. A file that begins with
  // FF FE is UTF-16 little-endian, any other 8-bit text; lines that do not parse are skipped.
  bool Load(const char* captionName);
  // The first entry of that number in load order; null when there is none.
  const CaptionEntry* Find(int32_t number) const;
  // Shows the entry's first page and starts the ticks that turn the pages over durationMs; an
  // unknown number clears and hides the bar. Nothing at all while captions are off.
  void Show(int32_t number, int32_t durationMs);
  // Clears, hides and stops the ticks.
  void Hide();
  // Empties the name and the text and hides the objects that are visible.
  void Clear();
  // Shows the objects that are hidden.
  void ShowObjects();
  // The tick: turns the page when its time is up, and hides the caption after its last page.
  int Update() override;

  size_t GetEntryCount() const { return m_entries.size(); }
  const CaptionEntry& GetEntry(size_t index) const { return *m_entries[index]; }
  int32_t GetCurrentPage() const { return m_currentPage; }
  int32_t GetPageTime() const { return m_pageTime; }
  uint32_t GetDeadline() const { return m_deadline; }
  bool UsesGameClock() const { return m_useGameClock; }

private:
  // Both parse a text that ends in a whole zero unit one past its length, and turn its line ends
  // into zero units.
  void Parse8Bit(char* text, size_t length);
  void ParseUtf16(char16_t* text, size_t length);
  // The text object's pages; 0 without a text object.
  int32_t PageCount() const;
  uint32_t Now() const;

  GenericObject* m_barObject;
  TextObject* m_nameObject;
  TextObject* m_textObject;
  uint32_t m_deadline = 0;
  int32_t m_pageTime = 0;
  int32_t m_currentPage = 0;
  bool m_useGameClock;
  std::vector<std::unique_ptr<CaptionEntry>> m_entries;
  // Kept for as long as the entries that point into them; 16-bit units, so that UTF-16 text is
  // aligned and every file ends in a whole zero unit.
  std::vector<std::unique_ptr<char16_t[]>> m_buffers;
};
