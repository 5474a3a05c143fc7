// The FLTK window of one modal dialog, built from its template.
#include "platform/mfc/DialogWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Round_Button.H>

#include <algorithm>
#include <string_view>

#include "platform/mfc/Dialog.h"
#include "platform/mfc/Display.h"
#include "platform/mfc/Icon.h"
#include "platform/mfc/Widgets.h"
#include "platform/win/kernel/AsciiCase.h"

namespace plat::mfc::detail {
namespace {

struct FontFace {
  const char* templateFace;
  const char* installedFace;
};

// The templates' face and the installed one that stands in for it (same metrics as Arial, the
// nearest match on this system).
constexpr FontFace kFontFaces[] = {
    {"MS Sans Serif", "Liberation Sans"},
};

int FontOf(const DialogTemplate& dialog) {
  for (const FontFace& face : kFontFaces) {
    if (dialog.fontFace && EqualsIgnoringCase(dialog.fontFace, face.templateFace)) {
      Fl::set_font(FL_FREE_FONT, face.installedFace);
      return FL_FREE_FONT;
    }
  }
  return FL_HELVETICA;
}

// Points at 96 dots per inch, rounded.
int PixelSizeOf(int points) {
  return std::max(1, (points * 96 + 36) / 72);
}

bool StartsGroup(const DialogItemTemplate& item) {
  return (item.style & WS_GROUP) != 0;
}

bool IsAutoRadio(const DialogItemTemplate& item) {
  return item.controlClass == ControlClass::Button && (item.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialogTemplate, CDialog& dialog) : m_dialog(dialog) {
  const RECT client = MapDialogRect(0, 0, dialogTemplate.cx, dialogTemplate.cy);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  m_window = std::make_unique<Fl_Double_Window>((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height);
  m_window->end();
  m_window->size_range(width, height, width, height);
  m_window->callback([](Fl_Widget*, void* self) { static_cast<DialogWindow*>(self)->Command(IDCANCEL); },
                     this);
  m_record = std::make_unique<WindowRecord>(*this, nullptr, m_window.get(), dialogTemplate.caption);

  const int font = FontOf(dialogTemplate);
  const int fontSize = PixelSizeOf(dialogTemplate.pointSize);
  Fl_Group* radioGroup = nullptr;
  for (const DialogItemTemplate& item : dialogTemplate.items) {
    if (StartsGroup(item)) radioGroup = nullptr;
    const RECT rect = MapDialogRect(item.x, item.y, item.cx, item.cy);
    Fl_Widget* widget = MakeWidget(item, rect, font, fontSize);
    if (IsAutoRadio(item)) {
      // FLTK clears the other radio buttons of the same parent, so each group gets a parent of
      // its own that covers its buttons.
      if (!radioGroup) {
        radioGroup = new Fl_Group(rect.left, rect.top, 0, 0);
        radioGroup->end();
        m_window->add(radioGroup);
      }
      const int left = std::min(radioGroup->x(), widget->x());
      const int top = std::min(radioGroup->y(), widget->y());
      const int right = std::max(radioGroup->x() + radioGroup->w(), widget->x() + widget->w());
      const int bottom = std::max(radioGroup->y() + radioGroup->h(), widget->y() + widget->h());
      // Only the group's own bounds: a group's resize would also scale the buttons already in it.
      radioGroup->Fl_Widget::resize(left, top, right - left, bottom - top);
      radioGroup->add(widget);
      radioGroup->init_sizes();
    } else {
      m_window->add(widget);
    }
    m_items.push_back(std::make_unique<WindowRecord>(*this, &item, widget, item.text));
    const DWORD kind = m_items.back()->ButtonKind();
    if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
      widget->callback(
          [](Fl_Widget*, void* record) {
            auto* pushed = static_cast<WindowRecord*>(record);
            pushed->Dialog().Command(pushed->Id());
          },
          m_items.back().get());
    }
  }
}

// The window deletes its widgets; the records only point at them.
DialogWindow::~DialogWindow() {
  m_items.clear();
  m_record.reset();
  m_window.reset();
}

Fl_Widget* DialogWindow::MakeWidget(const DialogItemTemplate& item, const RECT& rect, int font,
                                    int fontSize) {
  const int x = rect.left;
  const int y = rect.top;
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  Fl_Widget* widget = nullptr;
  if (item.controlClass == ControlClass::Static) {
    auto* text = new Fl_Box(FL_FLAT_BOX, x, y, w, h, nullptr);
    text->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
    widget = text;
  } else {
    switch (item.style & BS_TYPEMASK) {
      case BS_GROUPBOX:
        widget = new GroupBox(x, y, w, h);
        break;
      case BS_AUTORADIOBUTTON:
        widget = new Fl_Round_Button(x, y, w, h);
        widget->type(FL_RADIO_BUTTON);
        break;
      case BS_AUTOCHECKBOX:
        widget = new Fl_Check_Button(x, y, w, h);
        break;
      case BS_DEFPUSHBUTTON:
        widget = new DefaultButton(x, y, w, h);
        break;
      default:
        widget = new Fl_Button(x, y, w, h);
        break;
    }
  }
  widget->labelfont(font);
  widget->labelsize(fontSize);
  return widget;
}

WindowRecord* DialogWindow::Item(int id) {
  for (const auto& item : m_items) {
    if (item->Id() == id) return item.get();
  }
  return nullptr;
}

std::vector<WindowRecord*> DialogWindow::RadioGroup(int firstId) {
  std::vector<WindowRecord*> group;
  bool inGroup = false;
  for (const auto& item : m_items) {
    if (inGroup && StartsGroup(*item->Item())) break;
    if (item->Id() == firstId) inGroup = true;
    if (inGroup && item->IsAutoRadio()) group.push_back(item.get());
  }
  return group;
}

void DialogWindow::SetIcon(HICON icon) {
  if (const Fl_RGB_Image* image = ImageOfIcon(icon)) m_window->icon(image);  // FLTK keeps a copy
}

void DialogWindow::RunModal(void (*shown)(CDialog&)) {
  m_window->set_modal();
  m_window->show();
  SetWindowTitle(*m_window, m_window->label() ? m_window->label() : "");
  m_window->wait_for_expose();
  if (shown && !m_ended) shown(m_dialog);
  while (!m_ended && m_window->shown()) Fl::wait(1.0);
  m_window->hide();
  Fl::flush();
}

void DialogWindow::End() {
  m_ended = true;
}

void DialogWindow::Command(int id) {
  m_dialog.OnCommand(static_cast<WPARAM>(id), 0);
}

}  // namespace plat::mfc::detail
