// The application object and the entry that runs it.
#pragma once

#include "platform/mfc/Resources.h"
#include "platform/mfc/Types.h"

namespace plat::mfc {

class CCommandLineInfo;
class CWnd;

// One application object per program; constructing it makes it the one AfxGetApp answers.
class CWinApp {
public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // All work of a program without a message loop of its own happens here.
  virtual BOOL InitInstance();
  // The process's exit status; 0 unless a program says otherwise.
  virtual int ExitInstance();

  // Hands each parameter after the program name to the parser (see CCommandLineInfo::ParseParam).
  void ParseCommandLine(CCommandLineInfo& info) const;
  // Null when the resources hold no such icon.
  HICON LoadIcon(UINT id) const;
  // FLTK's controls are drawn in three dimensions already.
  BOOL Enable3dControlsStatic() { return TRUE; }

  CWnd* m_pMainWnd = nullptr;

private:
  friend int AfxWinMain(const ResourceTable* resources, int argc, char** argv);

  int m_argc = 0;
  char** m_argv = nullptr;
};

CWinApp* AfxGetApp();

// The program's entry: sets the resources, runs the application's InitInstance and then its
// ExitInstance, whose result is the exit status. The stand-in has no message loop to run after an
// InitInstance that answers TRUE; it ends the same way. 1 without an application object.
int AfxWinMain(const ResourceTable* resources, int argc, char** argv);

}  // namespace plat::mfc
