// The process-wide sprite loader of the game's sprite objects and the flag they load with.
#pragma once

namespace Qel {
class SpriteLoader;
}

// True at start-up: sprites keep their frame images compressed until first drawn. Nodes with large
// pictures clear it while they load them and set it again afterwards.
extern bool sKeepSpritesCompressed;

// The loader, made and started as a periodical on first use.
Qel::SpriteLoader& GetSpriteLoader();
// Stops and deletes the loader, with the sprite files it keeps, and starts a new one: each node
// begins with an empty cache.
void RenewSpriteLoader();
// Stops and deletes the loader; shut-down does this while the display still exists.
void ReleaseSpriteLoader();
