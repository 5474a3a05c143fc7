// The static text control object, which only shows its text.
#pragma once

#include "platform/mfc/Wnd.h"

namespace plat::mfc {

class CStatic : public CWnd {};

}  // namespace plat::mfc
