// The content set's sprites: a solid rectangle per animation, in a colour made from the sprite's name
// and the animation's number, with the frame number marked in the top-left corner.
#pragma once

#include <cstdint>
#include <string>

#include "fixture-content/ContentSpec.h"
#include "fixture-content/Manifest.h"
#include "fixture-content/SpriteFile.h"

namespace fixture {

// 0xRRGGBB with red and blue multiples of 8 and green a multiple of 4, so that a 16-bit (5-6-5)
// back buffer keeps it unchanged; never black or the marks' white.
uint32_t AnimationColour(const std::string& sprite, int animation);

// The colour of the click areas' outlines on a picture of that colour: every channel's top bit
// turned over, so the outline stands half the range away from the picture in each channel, and stays
// a colour the 16-bit back buffer keeps; away from the marks' black and white as the pictures are.
uint32_t OutlineColour(uint32_t pictureColour);

// The corner mark: a row of 4 x 4 cells, one bit of the frame number (from 0) each, lowest first,
// white for 1 and black for 0, on a black border; kMarkCells cells, clipped to the rectangle.
inline constexpr int32_t kMarkCell = 4;
inline constexpr int32_t kMarkCells = 4;
inline constexpr uint32_t kMarkOn = 0xF8FCF8;
inline constexpr uint32_t kMarkOff = 0x000000;

// Version 7, 32 bits; one image per frame; frame durations the file's default (100 ms).
SpriteFile MakeSprite(const SpriteSpec& spec);
ManifestSprite ManifestOf(const SpriteSpec& spec);

}  // namespace fixture
