// The text box that renders its text with GDI into a keyed surface.
#include "graphics/WinTextBox.h"

#include "graphics/DrawingSurface.h"

namespace Qel {

WinTextBox::~WinTextBox() = default;
void WinTextBox::Update() {}
int WinTextBox::DoGetLineHeight() const { return 0; }
void WinTextBox::Render() {}
int WinTextBox::DoDraw(DrawingSurface*, const Rect*, const Point2&) { return 0; }

}  // namespace Qel
