// The process-wide sprite loader of the game's sprite objects and the flag they load with.
#include "framework/GameSpriteLoader.h"

#include <memory>

#include "graphics/SpriteLoader.h"

bool sKeepSpritesCompressed = true;

namespace {
std::unique_ptr<Qel::SpriteLoader> gLoader;
}

Qel::SpriteLoader& GetSpriteLoader() {
  if (!gLoader) {
    gLoader = std::make_unique<Qel::SpriteLoader>();
    gLoader->Start();
  }
  return *gLoader;
}

void RenewSpriteLoader() {
  ReleaseSpriteLoader();
  GetSpriteLoader();
}

void ReleaseSpriteLoader() {
  if (gLoader) gLoader->Stop();
  gLoader.reset();
}
