// Fuzz target: arbitrary bytes as the string table, loaded as the program loads it; the texts the
// application keeps must be the lines the reader gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/StringTableReader.h"
#include "framework/WinApp.h"

namespace {

using fuzzinput::StreamOver;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The application keeps the first line, the second, and the last of those after the second.
void RequireKept(const char* kept, const std::vector<std::string>& lines, size_t index) {
  Require(std::strlen(kept) < MainApp::kTextCapacity);
  Require(kept == (index < lines.size() ? lines[index] : std::string()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) return 0;
  WinApp app;
  app.LoadStringTable(*StreamOver(data, size));

  // The same bytes through the reader alone, in the code page of the US layout that the default
  // language selects.
  std::vector<std::string> lines;
  StringTableReader::Read(*StreamOver(data, size), 1252, [&lines](const char* text) {
    Require(std::strlen(text) < StringTableReader::kTextCapacity);
    lines.emplace_back(text);
  });
  RequireKept(app.GetWindowCaption(), lines, 0);
  RequireKept(app.GetSecondText(), lines, 1);
  RequireKept(app.GetLastText(), lines, lines.size() > 2 ? lines.size() - 1 : lines.size());
  return 0;
}
