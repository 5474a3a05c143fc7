// The movies asked for, in order, as the pause each posts names them (a missing movie posts one too).
#pragma once

#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/GameEvents.h"

namespace test {

class MovieLog : public Qel::IEventListener {
public:
  MovieLog() { Qel::EventManager::GetInstance()->AddListener(kEventAppState, this); }
  ~MovieLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  MovieLog(const MovieLog&) = delete;
  MovieLog& operator=(const MovieLog&) = delete;
  void HandleEvent(int /*kind*/, int id, void* data) override {
    if (id == EventId::Pause && data) names.emplace_back(static_cast<const char*>(data));
  }
  std::vector<std::string> names;
};

}  // namespace test
