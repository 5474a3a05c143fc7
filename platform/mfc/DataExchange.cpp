// Dialog data exchange: binding control objects, check boxes and radio groups to members.
#include "platform/mfc/DataExchange.h"

#include <vector>

#include "platform/mfc/DialogWindow.h"
#include "platform/mfc/WindowRecord.h"
#include "platform/mfc/Wnd.h"

namespace plat::mfc {
namespace {

// The dialog's control of that id, or null while the dialog has no window.
detail::WindowRecord* ItemOf(detail::WindowRecord* dialogRecord, int id) {
  return dialogRecord ? dialogRecord->Dialog().Item(id) : nullptr;
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  detail::WindowRecord* item = ItemOf(dx->m_pDlgWnd->m_record, id);
  if (item && control.m_record != item) item->Attach(control);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  detail::WindowRecord* item = ItemOf(dx->m_pDlgWnd->m_record, id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    value = item->GetCheck();
  } else {
    item->SetCheck(value);
  }
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value) {
  detail::WindowRecord* dialogRecord = dx->m_pDlgWnd->m_record;
  if (!dialogRecord) return;
  const std::vector<detail::WindowRecord*> group = dialogRecord->Dialog().RadioGroup(firstId);
  if (dx->m_bSaveAndValidate) {
    value = -1;
    for (size_t i = 0; i < group.size(); ++i) {
      if (group[i]->GetCheck() == BST_CHECKED) {
        value = static_cast<int>(i);
        break;
      }
    }
    return;
  }
  for (size_t i = 0; i < group.size(); ++i) {
    group[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
  }
}

}  // namespace plat::mfc
