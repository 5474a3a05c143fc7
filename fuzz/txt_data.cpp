// Fuzz target: arbitrary bytes as key = value text data, into a recording target with every value
// read through the tokenizer in each of its forms, into the memory game's own key handler (its times
// and card places), and as the settings file that start-up reads.
// It writes "Pilo.ini" into its working folder: run it in a folder of its own (test.sh does).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzInput.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/AppOptions.h"
#include "framework/TxtDataManager.h"
#include "framework/ValueTokenizer.h"
#include "framework/WinApp.h"
#include "game9/Game9Node.h"

namespace {

using fuzzinput::StreamOver;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads one value to its end in every form, checking what each read promises.
void ReadEveryWay(const char* value) {
  {
    ValueTokenizer tokens(value);
    while (const char* token = tokens.NextToken()) Require(*token != '\0');
  }
  {
    ValueTokenizer tokens(value);
    while (tokens.NextToken()) {
    }
    Require(tokens.NextInt() == 0 && tokens.NextFloat() == 0.0 && !tokens.NextBool());
    Require(tokens.NextPoint() == Qel::Point2());
  }
  {
    ValueTokenizer tokens(value);
    for (int i = 0; i < 4; ++i) tokens.NextInt();
  }
  {
    ValueTokenizer tokens(value);
    for (int i = 0; i < 2; ++i) tokens.NextPoint();
  }
  {
    ValueTokenizer tokens(value);
    for (int i = 0; i < 4; ++i) Require(std::isfinite(tokens.NextFloat()));
  }
  {
    ValueTokenizer tokens(value);
    for (int i = 0; i < 4; ++i) tokens.NextBool();
  }
}

class CheckingTarget : public IHasLoadableTxtData {
public:
  void SetTxtValue(const char* key, const char* value) override {
    const size_t keyLength = std::strlen(key);
    const size_t valueLength = std::strlen(value);
    Require(keyLength > 0 && valueLength > 0);
    Require(keyLength + valueLength < TxtDataManager::kMaxLineLength);
    Require(!std::strpbrk(key, " \t;=\r\n"));
    Require(!std::strpbrk(value, ";\r\n"));
    for (const char* p = key; *p; ++p) Require(*p < 'A' || *p > 'Z');
    for (const char* p = value; *p; ++p) Require(*p < 'A' || *p > 'Z');
    ReadEveryWay(value);
  }
};

// The memory game's settings through its own key handler: any key and value leave times and the
// two fixed tables of card places.
class MemoryGameSettings : public IHasLoadableTxtData {
public:
  void SetTxtValue(const char* key, const char* value) override { Game9Node::ReadSetting(settings, key, value); }
  Game9Node::Settings settings;
};

void FeedMemoryGame(const uint8_t* data, size_t size) {
  MemoryGameSettings target;
  Require(TxtDataManager::Instance().ParseStream(StreamOver(data, size), target));
  Game9Node::Settings again;
  for (const Qel::Point2& place : again.easyPlacements) Require(place == Qel::Point2());
  // Keys of other handlers change nothing.
  Game9Node::ReadSetting(again, "stayflipped", "5");
  Game9Node::ReadSetting(again, nullptr, "5");
  Require(again.stayFlippedTime == 0);
}

bool WriteSettingsFile(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen("Pilo.ini", "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void RemoveSettingsFile() {
  std::remove("Pilo.ini");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(RemoveSettingsFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) return 0;
  CheckingTarget target;
  Require(TxtDataManager::Instance().ParseStream(StreamOver(data, size), target));
  FeedMemoryGame(data, size);

  // The settings as the program reads them at start-up, from the file through the file layer.
  Require(WriteSettingsFile(data, size));
  WinApp app;
  app.ReadSettings();
  const AppOptions& options = app.GetOptions();
  Require(std::strlen(options.GetCdPath()) < AppOptions::kPathCapacity);
  Require(std::strlen(options.GetHdPath()) < AppOptions::kPathCapacity);
  Require(std::strlen(options.GetLanguage()) < AppOptions::kLanguageCapacity);
  return 0;
}
