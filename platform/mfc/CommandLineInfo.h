// The command-line parser that an application derives from to read its parameters.
#pragma once

#include "platform/mfc/Types.h"

namespace plat::mfc {

class CCommandLineInfo {
public:
  virtual ~CCommandLineInfo();

  // One parameter: a switch (after "/" or "-", which are not passed) or plain text; last for the
  // final one. The stand-in knows no parameters of its own, so the base takes none.
  virtual void ParseParam(const char* param, BOOL isSwitch, BOOL isLast);
};

}  // namespace plat::mfc
