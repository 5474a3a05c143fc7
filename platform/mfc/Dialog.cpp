// The modal dialog made from a dialog template of the program's resources.
#include "platform/mfc/Dialog.h"

#include "platform/mfc/DialogWindow.h"
#include "platform/mfc/Display.h"
#include "platform/mfc/Resources.h"

namespace plat::mfc {
namespace {
DialogShownHook gShownHook = nullptr;
}

CDialog::CDialog(UINT templateId, CWnd* /*parent*/) : m_templateId(templateId) {}

CDialog::~CDialog() = default;

intptr_t CDialog::DoModal() {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
  if (!dialogTemplate || !detail::OpenDisplay()) return -1;
  m_result = IDCANCEL;
  m_window = std::make_unique<detail::DialogWindow>(*dialogTemplate, *this);
  m_window->Record().Attach(*this);
  OnInitDialog();
  m_window->RunModal(gShownHook);
  m_window.reset();  // detaches this and every control object
  return m_result;
}

void CDialog::EndDialog(int result) {
  m_result = result;
  if (m_window) m_window->End();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
  switch (plat::win::LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

void SetDialogShownHookForTesting(DialogShownHook hook) {
  gShownHook = hook;
}

}  // namespace plat::mfc
