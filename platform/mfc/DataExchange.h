// Dialog data exchange: binding control objects, check boxes and radio groups to members.
#pragma once

#include "platform/mfc/Types.h"

namespace plat::mfc {

class CWnd;

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;  // TRUE: controls into members; FALSE: members into controls
};

// Attaches the control object to the dialog's control of that id (both directions).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// The check box's state: BST_UNCHECKED or BST_CHECKED.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button of the radio group that starts at firstId, counting only its
// automatic radio buttons; reads -1 when none is checked, and a value that is no index checks none.
void DDX_Radio(CDataExchange* dx, int firstId, int& value);

}  // namespace plat::mfc
