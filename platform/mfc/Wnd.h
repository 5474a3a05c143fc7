// The window class under the dialog and its controls: text, geometry, check state, data exchange.
#pragma once

#include <string>

#include "platform/mfc/Types.h"

namespace plat::mfc {

class CDataExchange;

namespace detail {
class WindowRecord;
}

// A CWnd stands for one window of a dialog while the dialog is shown (DDX_Control attaches it);
// before and after, it is attached to nothing and its calls do nothing.
class CWnd {
public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  bool IsAttached() const { return m_record != nullptr; }

  // Texts are in the code page.
  void SetWindowText(const char* text);
  std::string GetWindowText() const;

  // In screen pixels; the client area of a dialog is all of it (the window manager's frame is not
  // the program's).
  void GetWindowRect(RECT* rect) const;
  void GetClientRect(RECT* rect) const;
  void ScreenToClient(RECT* rect) const;

  // Null for an id the dialog does not have; the control lives as long as the dialog's window.
  CWnd* GetDlgItem(int id) const;
  // BM_GETCHECK, BM_SETCHECK (wParam the state) and BM_CLICK on buttons; anything else answers 0.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  UINT IsDlgButtonChecked(int id) const;

  // X windows have one list of icons, so the big and the small icon are the same image.
  HICON SetIcon(HICON icon, BOOL bigIcon);

  // Runs DoDataExchange: FALSE fills the controls from the members, TRUE reads them back.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
  virtual void DoDataExchange(CDataExchange* dx);

private:
  friend class detail::WindowRecord;
  friend void DDX_Control(CDataExchange* dx, int id, CWnd& control);
  friend void DDX_Check(CDataExchange* dx, int id, int& value);
  friend void DDX_Radio(CDataExchange* dx, int firstId, int& value);

  detail::WindowRecord* m_record = nullptr;
  HICON m_icons[2] = {nullptr, nullptr};
};

}  // namespace plat::mfc
