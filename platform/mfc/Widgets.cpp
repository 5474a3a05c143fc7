// The FLTK widgets that draw the dialog controls FLTK has no match for.
#include "platform/mfc/Widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace plat::mfc::detail {

GroupBox::GroupBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {
  box(FL_ENGRAVED_FRAME);
}

void GroupBox::draw() {
  fl_font(labelfont(), labelsize());
  const int textHeight = fl_height();
  const int frameTop = y() + textHeight / 2;
  draw_box(box(), x(), frameTop, w(), h() - (frameTop - y()), color());
  const char* text = label();
  if (!text || !*text) return;
  // The caption sits on the frame's top edge, on the dialog's colour.
  constexpr int kIndent = 6;
  constexpr int kPad = 2;
  const int textWidth = static_cast<int>(fl_width(text));
  fl_color(parent() ? parent()->color() : color());
  fl_rectf(x() + kIndent, y(), textWidth + 2 * kPad, textHeight);
  fl_color(labelcolor());
  fl_draw(text, x() + kIndent + kPad, y() + textHeight - fl_descent());
}

DefaultButton::DefaultButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) {}

int DefaultButton::handle(int event) {
  if (event == FL_SHORTCUT && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    simulate_key_action();
    do_callback();
    return 1;
  }
  return Fl_Button::handle(event);
}

void DefaultButton::draw() {
  Fl_Button::draw();
  fl_color(FL_BLACK);
  fl_rect(x(), y(), w(), h());
}

}  // namespace plat::mfc::detail
