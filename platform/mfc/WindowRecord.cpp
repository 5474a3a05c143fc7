// What the stand-in keeps of one window of a dialog, the dialog itself or one of its controls.
#include "platform/mfc/WindowRecord.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include <algorithm>

#include "platform/mfc/Display.h"
#include "platform/mfc/Wnd.h"

namespace plat::mfc::detail {

WindowRecord::WindowRecord(DialogWindow& dialog, const DialogItemTemplate* item, Fl_Widget* widget,
                           const char* text)
    : m_dialog(dialog), m_item(item), m_widget(widget), m_handle(std::make_unique<CWnd>()) {
  Attach(*m_handle);
  SetText(text);
}

WindowRecord::~WindowRecord() {
  for (CWnd* wnd : m_attached) wnd->m_record = nullptr;
}

DWORD WindowRecord::ButtonKind() const {
  if (!m_item || m_item->controlClass != ControlClass::Button) return ~DWORD{0};
  return m_item->style & BS_TYPEMASK;
}

bool WindowRecord::IsAutoRadio() const {
  return ButtonKind() == BS_AUTORADIOBUTTON;
}

void WindowRecord::SetText(const char* text) {
  m_text = text ? text : "";
  if (!m_item) {
    SetWindowTitle(*static_cast<Fl_Window*>(m_widget), Utf8FromCodePage(m_text));
    return;
  }
  // The group box draws its caption itself, as plain text.
  m_label = ButtonKind() == BS_GROUPBOX ? Utf8FromCodePage(m_text) : LabelFromCodePage(m_text);
  m_widget->label(m_label.c_str());
  m_widget->redraw();
}

int WindowRecord::GetCheck() const {
  const DWORD kind = ButtonKind();
  if (kind != BS_AUTOCHECKBOX && kind != BS_AUTORADIOBUTTON) return BST_UNCHECKED;
  return static_cast<Fl_Button*>(m_widget)->value() ? BST_CHECKED : BST_UNCHECKED;
}

void WindowRecord::SetCheck(int state) {
  const DWORD kind = ButtonKind();
  if (kind != BS_AUTOCHECKBOX && kind != BS_AUTORADIOBUTTON) return;
  static_cast<Fl_Button*>(m_widget)->value(state == BST_CHECKED ? 1 : 0);
}

void WindowRecord::Click() {
  const DWORD kind = ButtonKind();
  if (kind == BS_AUTORADIOBUTTON) {
    static_cast<Fl_Button*>(m_widget)->setonly();
  } else if (kind == BS_AUTOCHECKBOX) {
    Fl_Button* button = static_cast<Fl_Button*>(m_widget);
    button->value(!button->value());
  } else if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) {
    return;
  }
  m_widget->do_callback();
}

RECT WindowRecord::ScreenRect() const {
  const Fl_Window* top = m_item ? m_widget->window() : static_cast<Fl_Window*>(m_widget);
  const int left = m_item ? top->x() + m_widget->x() : top->x();
  const int topEdge = m_item ? top->y() + m_widget->y() : top->y();
  return {left, topEdge, left + m_widget->w(), topEdge + m_widget->h()};
}

void WindowRecord::Attach(CWnd& wnd) {
  if (wnd.m_record) wnd.m_record->Detach(wnd);
  wnd.m_record = this;
  m_attached.push_back(&wnd);
}

void WindowRecord::Detach(CWnd& wnd) {
  m_attached.erase(std::remove(m_attached.begin(), m_attached.end(), &wnd), m_attached.end());
  wnd.m_record = nullptr;
}

CWnd& WindowRecord::Handle() {
  return *m_handle;
}

}  // namespace plat::mfc::detail
