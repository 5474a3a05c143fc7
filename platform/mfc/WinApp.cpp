// The application object and the entry that runs it.
#include "platform/mfc/WinApp.h"

#include "platform/mfc/CommandLineInfo.h"

namespace plat::mfc {
namespace {
CWinApp* gApp = nullptr;
}

CWinApp::CWinApp() {
  gApp = this;
}

CWinApp::~CWinApp() {
  if (gApp == this) gApp = nullptr;
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::ExitInstance() {
  return 0;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
  for (int i = 1; i < m_argc; ++i) {
    const char* param = m_argv[i];
    const BOOL isSwitch = param[0] == '/' || param[0] == '-';
    info.ParseParam(isSwitch ? param + 1 : param, isSwitch, i == m_argc - 1);
  }
}

HICON CWinApp::LoadIcon(UINT id) const {
  return FindIcon(id);
}

CWinApp* AfxGetApp() {
  return gApp;
}

int AfxWinMain(const ResourceTable* resources, int argc, char** argv) {
  AfxSetResourceHandle(resources);
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_argc = argc;
  app->m_argv = argv;
  app->InitInstance();
  return app->ExitInstance();
}

}  // namespace plat::mfc
