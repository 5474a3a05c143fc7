// The FLTK widgets that draw the dialog controls FLTK has no match for.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

namespace plat::mfc::detail {

// A frame with its caption set into the top edge, as Windows draws a group box. The caption is
// drawn as plain text (no symbols), from the label.
class GroupBox : public Fl_Widget {
public:
  GroupBox(int x, int y, int w, int h);

protected:
  void draw() override;
};

// The default push button: a dark outline around the button, and Return or keypad Enter press it
// wherever the focus is.
class DefaultButton : public Fl_Button {
public:
  DefaultButton(int x, int y, int w, int h);
  int handle(int event) override;

protected:
  void draw() override;
};

}  // namespace plat::mfc::detail
