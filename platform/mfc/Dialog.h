// The modal dialog made from a dialog template of the program's resources.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/mfc/Wnd.h"

namespace plat::mfc {

namespace detail {
class DialogWindow;
}

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Builds the window from the template, runs OnInitDialog, shows it and runs its events until
  // EndDialog. Answers EndDialog's result, or -1 when the dialog cannot be shown (no display can
  // be opened, or the resources hold no such template).
  virtual intptr_t DoModal();
  // Ends the modal loop with that result once the current event is handled.
  void EndDialog(int result);

protected:
  friend class detail::DialogWindow;

  // Fills the controls from the members (UpdateData(FALSE)); TRUE lets the focus go to the first
  // control that takes it.
  virtual BOOL OnInitDialog();
  // Reads the members back (UpdateData(TRUE)) and ends with IDOK.
  virtual void OnOK();
  // Ends with IDCANCEL.
  virtual void OnCancel();
  // A push button's id, or IDCANCEL for Escape and the close box, in the low word: IDOK calls
  // OnOK, IDCANCEL OnCancel.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

private:
  UINT m_templateId;
  std::unique_ptr<detail::DialogWindow> m_window;
  int m_result = IDCANCEL;
};

// Test seam: while set, runs once each dialog is on the screen, inside its modal loop, so that a
// test can look at its controls and click them.
using DialogShownHook = void (*)(CDialog&);
void SetDialogShownHookForTesting(DialogShownHook hook);

}  // namespace plat::mfc
