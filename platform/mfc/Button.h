// The button control object: push buttons, check boxes, radio buttons and group boxes.
#pragma once

#include "platform/mfc/Wnd.h"

namespace plat::mfc {

class CButton : public CWnd {
public:
  // BST_CHECKED or BST_UNCHECKED; push buttons and group boxes read unchecked.
  int GetCheck() const;
  void SetCheck(int state);
};

}  // namespace plat::mfc
