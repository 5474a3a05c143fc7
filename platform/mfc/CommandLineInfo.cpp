// The command-line parser that an application derives from to read its parameters.
#include "platform/mfc/CommandLineInfo.h"

namespace plat::mfc {

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* /*param*/, BOOL /*isSwitch*/, BOOL /*isLast*/) {}

}  // namespace plat::mfc
