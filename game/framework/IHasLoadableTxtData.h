// The interface of everything that fills itself from key = value text data.
#pragma once

// Settings, nodes, timers, animators and conversations receive their text data through it.
class IHasLoadableTxtData {
public:
  virtual ~IHasLoadableTxtData() = default;

  // Both texts are lower case, non-empty and valid only during the call.
  virtual void SetTxtValue(const char* key, const char* value) = 0;
};
