// The settings tool's entry: the application object does the work.
#include "platform/mfc/WinApp.h"
#include "settings-tool/ConfigResources.h"

int main(int argc, char** argv) {
  return plat::mfc::AfxWinMain(&ConfigResources(), argc, argv);
}
