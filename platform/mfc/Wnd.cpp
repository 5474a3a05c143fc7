// The window class under the dialog and its controls: text, geometry, check state, data exchange.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/DialogWindow.h"
#include "platform/mfc/WindowRecord.h"

namespace plat::mfc {

CWnd::~CWnd() {
  if (m_record) m_record->Detach(*this);
}

void CWnd::SetWindowText(const char* text) {
  if (m_record) m_record->SetText(text);
}

std::string CWnd::GetWindowText() const {
  return m_record ? m_record->Text() : std::string();
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (!rect) return;
  *rect = m_record ? m_record->ScreenRect() : RECT{};
}

void CWnd::GetClientRect(RECT* rect) const {
  if (!rect) return;
  const RECT screen = m_record ? m_record->ScreenRect() : RECT{};
  *rect = {0, 0, screen.right - screen.left, screen.bottom - screen.top};
}

void CWnd::ScreenToClient(RECT* rect) const {
  if (!rect || !m_record) return;
  const RECT origin = m_record->ScreenRect();
  rect->left -= origin.left;
  rect->right -= origin.left;
  rect->top -= origin.top;
  rect->bottom -= origin.top;
}

CWnd* CWnd::GetDlgItem(int id) const {
  if (!m_record) return nullptr;
  detail::WindowRecord* item = m_record->Dialog().Item(id);
  return item ? &item->Handle() : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (!m_record) return 0;
  switch (message) {
    case BM_GETCHECK:
      return m_record->GetCheck();
    case BM_SETCHECK:
      m_record->SetCheck(static_cast<int>(wParam));
      return 0;
    case BM_CLICK:
      m_record->Click();
      return 0;
    default:
      return 0;
  }
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* item = GetDlgItem(id);
  return item ? item->SendMessage(message, wParam, lParam) : 0;
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  CWnd* item = GetDlgItem(id);
  return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  HICON& slot = m_icons[bigIcon ? 0 : 1];
  const HICON previous = slot;
  slot = icon;
  if (m_record && !m_record->Item()) m_record->Dialog().SetIcon(icon);
  return previous;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* /*dx*/) {}

}  // namespace plat::mfc
