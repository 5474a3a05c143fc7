// The program's resources as data: dialog templates and icons, which a program hands to the
// stand-in at its start as Windows finds them in its executable.
#include "platform/mfc/Resources.h"

namespace plat::mfc {
namespace {

const ResourceTable* gResources = nullptr;

// The base units of the templates' font at 96 dots per inch: its average character width (a
// dialog unit across is a quarter of it) and its height (a dialog unit down is an eighth). Only
// that one font is used, so every dialog is measured with it.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// MulDiv: the product in 64 bits, rounded half away from zero.
int32_t MulDiv(int value, int numerator, int denominator) {
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

void AfxSetResourceHandle(const ResourceTable* resources) {
  gResources = resources;
}

const ResourceTable* AfxGetResourceHandle() {
  return gResources;
}

const DialogTemplate* FindDialogTemplate(UINT id) {
  if (!gResources) return nullptr;
  for (const DialogTemplate& dialog : gResources->dialogs) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

HICON FindIcon(UINT id) {
  if (!gResources) return nullptr;
  for (const IconImage& icon : gResources->icons) {
    if (icon.id == id) return &icon;
  }
  return nullptr;
}

RECT MapDialogRect(int x, int y, int cx, int cy) {
  return {MulDiv(x, kBaseUnitX, 4), MulDiv(y, kBaseUnitY, 8), MulDiv(x + cx, kBaseUnitX, 4),
          MulDiv(y + cy, kBaseUnitY, 8)};
}

}  // namespace plat::mfc
