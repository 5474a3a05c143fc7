// The FLTK window of one modal dialog, built from its template.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc/Resources.h"
#include "platform/mfc/WindowRecord.h"

class Fl_Double_Window;
class Fl_Widget;

namespace plat::mfc {
class CDialog;
}

namespace plat::mfc::detail {

// Controls sit at the template's positions mapped to pixels (MapDialogRect), the client area is
// the template's size; the window is centred on the screen and cannot be resized. Each run of
// automatic radio buttons between two WS_GROUP items is one group: checking one clears the others.
// Push buttons, the close box and Escape report their command (IDCANCEL for the last two) to the
// dialog's OnCommand. Needs an open display (OpenDisplay).
class DialogWindow {
public:
  DialogWindow(const DialogTemplate& dialogTemplate, CDialog& dialog);
  ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  CDialog& Owner() const { return m_dialog; }
  WindowRecord& Record() { return *m_record; }
  // Null for an id the template does not have.
  WindowRecord* Item(int id);
  // The automatic radio buttons of the group that starts at that id, in template order.
  std::vector<WindowRecord*> RadioGroup(int firstId);

  void SetIcon(HICON icon);
  // Shows the window and runs its events until End is called or the window is gone; the hook, when
  // given, runs once the window is on the screen.
  void RunModal(void (*shown)(CDialog&));
  void End();
  // A push button's id, or IDCANCEL for Escape and the close box, to the dialog.
  void Command(int id);

private:
  Fl_Widget* MakeWidget(const DialogItemTemplate& item, const RECT& rect, int font, int fontSize);

  CDialog& m_dialog;
  std::unique_ptr<Fl_Double_Window> m_window;
  std::unique_ptr<WindowRecord> m_record;
  std::vector<std::unique_ptr<WindowRecord>> m_items;
  bool m_ended = false;
};

}  // namespace plat::mfc::detail
