// The reader of key = value text data (the settings file and 'txt ' resources) into a target.
#pragma once

#include <memory>
#include <string_view>

#include "core/Stream.h"
#include "framework/IHasLoadableTxtData.h"

// Lines are read up to LF, CR or a zero byte; each line is lowered, cut at ";" and, when it holds
// "=", split into a key (its first word) and a value (trimmed), which go to the target when both
// are non-empty. Section headers, blank lines and comments are therefore skipped.
class TxtDataManager {
public:
  // Longer lines keep their first kMaxLineLength characters; the rest of the line is dropped.
  static constexpr size_t kMaxLineLength = 1023;

  static TxtDataManager& Instance();

  TxtDataManager(const TxtDataManager&) = delete;
  TxtDataManager& operator=(const TxtDataManager&) = delete;

  // False without a stream and when the stream fails before its end (then nothing is applied);
  // true once the whole stream was read and parsed.
  bool ParseStream(const std::shared_ptr<Qel::Stream>& stream, IHasLoadableTxtData& target);

private:
  TxtDataManager() = default;

  void ParseData(std::string_view data, IHasLoadableTxtData& target);
  void ParseLine(std::string_view line, IHasLoadableTxtData& target);
};
