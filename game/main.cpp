// The process entry: hands the command line to the game's entry routine.
#include <string>

#include "NodeTable.h"
#include "framework/NodeFactory.h"
#include "framework/WinMain.h"
#include "platform/win/kernel/Module.h"

namespace {
constexpr int kShowDefault = 10;
}

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  // The framework builds nodes only through the table of the game's node classes.
  NodeFactory::SetNodeTable(&NodeTable::CreateNode);
  return WinMain(plat::win::GetModuleHandleA(nullptr), nullptr, commandLine.data(), kShowDefault);
}
