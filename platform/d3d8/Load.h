// Loading a rectangle of pixels into a surface: conversion, nearest-pixel scaling and colour keys.
#pragma once

#include <cstdint>

#include "platform/d3d8/D3DX8.h"
#include "platform/d3d8/Image.h"

namespace plat::d3d8 {

// Pixels to read: rows of a format, with their marks of keyed pixels (one byte a pixel) or none.
struct PixelSource {
  const uint8_t* bits = nullptr;
  int pitch = 0;
  D3DFORMAT format = D3DFMT_UNKNOWN;
  const PALETTEENTRY* palette = nullptr;
  const uint8_t* marks = nullptr;  // at the same (x, y) as bits
  int marksPitch = 0;
};

// Both rectangles must already be checked against their surfaces. Pixels equal to colorKey (when
// non-zero) and marked source pixels become transparent black: alpha 0 in a format with alpha,
// black with a mark in one without.
void LoadRect(Image& dest, const PALETTEENTRY* destPalette, const RECT& destRect, const PixelSource& source,
              const RECT& sourceRect, D3DCOLOR colorKey);

}  // namespace plat::d3d8
