// The program's resources as data: dialog templates and icons, which a program hands to the
// stand-in at its start as Windows finds them in its executable.
#pragma once

#include <cstdint>
#include <span>

#include "platform/mfc/Types.h"

namespace plat::mfc {

enum class ControlClass { Button, Static };

// Positions and sizes in dialog units.
struct DialogItemTemplate {
  int id;
  ControlClass controlClass;
  DWORD style;  // BS_... for buttons, WS_GROUP and WS_TABSTOP
  int x, y, cx, cy;
  const char* text;  // in the code page
};

struct DialogTemplate {
  UINT id;
  int cx, cy;
  const char* caption;  // in the code page
  const char* fontFace;
  int pointSize;
  std::span<const DialogItemTemplate> items;
};

// Pixels as 0xAARRGGBB, row by row from the top.
struct IconImage {
  UINT id;
  int width, height;
  const uint32_t* pixels;
};

struct ResourceTable {
  std::span<const DialogTemplate> dialogs;
  std::span<const IconImage> icons;
};

// The table stays the caller's and must outlive every dialog and icon taken from it.
void AfxSetResourceHandle(const ResourceTable* resources);
const ResourceTable* AfxGetResourceHandle();

// Null when the resources hold no such template or icon.
const DialogTemplate* FindDialogTemplate(UINT id);
HICON FindIcon(UINT id);

// The pixel rectangle of a dialog-unit rectangle, as MapDialogRect computes it for the templates'
// font ("MS Sans Serif", 8 points): each edge scaled on its own, 6/4 pixel across and 13/8 pixel
// down, rounded half away from zero.
RECT MapDialogRect(int x, int y, int cx, int cy);

}  // namespace plat::mfc
