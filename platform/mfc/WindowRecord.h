// What the stand-in keeps of one window of a dialog, the dialog itself or one of its controls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/Resources.h"

class Fl_Widget;

namespace plat::mfc {
class CWnd;
}

namespace plat::mfc::detail {

class DialogWindow;

// The record lives as long as the dialog's window; the CWnd objects attached to it are detached
// when it goes away.
class WindowRecord {
public:
  WindowRecord(DialogWindow& dialog, const DialogItemTemplate* item, Fl_Widget* widget, const char* text);
  ~WindowRecord();
  WindowRecord(const WindowRecord&) = delete;
  WindowRecord& operator=(const WindowRecord&) = delete;

  DialogWindow& Dialog() const { return m_dialog; }
  // Null for the dialog's own record.
  const DialogItemTemplate* Item() const { return m_item; }
  int Id() const { return m_item ? m_item->id : 0; }
  DWORD ButtonKind() const;
  bool IsAutoRadio() const;

  // Texts in the code page; the widget shows them as UTF-8.
  void SetText(const char* text);
  const std::string& Text() const { return m_text; }

  int GetCheck() const;
  void SetCheck(int state);
  // As a user's click: a radio button becomes the one checked in its group, a check box toggles,
  // a push button reports its command to the dialog.
  void Click();

  RECT ScreenRect() const;

  void Attach(CWnd& wnd);
  void Detach(CWnd& wnd);
  // The CWnd that GetDlgItem answers for this record.
  CWnd& Handle();

private:
  DialogWindow& m_dialog;
  const DialogItemTemplate* m_item;
  Fl_Widget* m_widget;
  std::string m_text;
  std::string m_label;  // what the widget shows; FLTK does not copy labels here
  std::vector<CWnd*> m_attached;
  std::unique_ptr<CWnd> m_handle;
};

}  // namespace plat::mfc::detail
