// The button control object: push buttons, check boxes, radio buttons and group boxes.
#include "platform/mfc/Button.h"

namespace plat::mfc {

int CButton::GetCheck() const {
  return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int state) {
  SendMessage(BM_SETCHECK, static_cast<WPARAM>(state));
}

}  // namespace plat::mfc
