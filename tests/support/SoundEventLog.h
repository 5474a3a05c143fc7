// A listener that writes down every sound event, and can act on "finished" while it is delivered.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "sound/SoundEvents.h"

namespace test {

struct SoundEventEntry {
  int id;
  std::string sound;
  friend bool operator==(const SoundEventEntry&, const SoundEventEntry&) = default;
};

class SoundEventLog : public Qel::IEventListener {
public:
  SoundEventLog() { Qel::EventManager::GetInstance()->AddListener(Qel::kEventSound, this); }
  ~SoundEventLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  SoundEventLog(const SoundEventLog&) = delete;
  SoundEventLog& operator=(const SoundEventLog&) = delete;

  void HandleEvent(int kind, int id, void* data) override {
    if (kind != Qel::kEventSound) return;
    const std::string sound = static_cast<const char*>(data);
    entries.push_back({id, sound});
    if (id == Qel::EventId::SoundFinished && onFinished) onFinished(sound);
  }

  // The entries of one event id, by sound.
  std::vector<std::string> Of(int id) const {
    std::vector<std::string> sounds;
    for (const SoundEventEntry& entry : entries) {
      if (entry.id == id) sounds.push_back(entry.sound);
    }
    return sounds;
  }

  std::vector<SoundEventEntry> entries;
  // Runs inside the delivery of each "finished" event.
  std::function<void(const std::string& sound)> onFinished;
};

}  // namespace test
