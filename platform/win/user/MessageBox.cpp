// The modal message box: stderr always, an FLTK dialog when a display is there to show it.
#include "platform/win/user/MessageBox.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <signal.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win/kernel/CodePage.h"

namespace plat::win {
namespace {

constexpr int kMargin = 12;
constexpr int kWidestText = 480;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;
constexpr int kLabelInset = 6;              // FLTK draws a left-aligned label 3 pixels in from either side
constexpr double kSignalPollSeconds = 0.1;  // a signal that slips in just before a wait waits this long

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) {
  gInterrupted = 1;
}

bool IsSet(const char* variable, const char* value) {
  const char* current = std::getenv(variable);
  return current && std::strcmp(current, value) == 0;
}

bool CanShowDialogs() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  if (IsSet("SDL_VIDEODRIVER", "dummy") || IsSet("PILO_NO_DIALOGS", "1")) return false;
  return true;
}

// A signal the program ignores stays ignored; otherwise it only marks the box as answered.
void CatchSignal(int signal, struct sigaction* previous) {
  sigaction(signal, nullptr, previous);
  if (previous->sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

void CloseWindowOf(Fl_Widget* widget, void*) {
  widget->window()->hide();
}

// Return presses OK (the return button's own key); Escape and the close box reach the window's
// default callback, which closes it too.
void ShowBox(const char* caption, const char* text) {
  fl_open_display();
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  const std::string label = detail::MessageBoxLabel(text);
  const std::string title = CodePageToUtf8(CP_ACP, caption);
  int textWidth = kWidestText;
  int textHeight = 0;
  fl_measure(label.c_str(), textWidth, textHeight, 1);
  textWidth = std::max(textWidth + kLabelInset, kButtonWidth);
  const int width = textWidth + 2 * kMargin;
  const int height = textHeight + kButtonHeight + 3 * kMargin;

  Fl_Window window((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height, title.c_str());
  Fl_Box message(kMargin, kMargin, textWidth, textHeight, label.c_str());
  message.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_WRAP);
  Fl_Return_Button ok(width - kMargin - kButtonWidth, height - kMargin - kButtonHeight, kButtonWidth,
                      kButtonHeight, "OK");
  ok.callback(CloseWindowOf);
  window.end();
  window.set_modal();
  window.show();
  while (window.shown() && !gInterrupted) Fl::wait(kSignalPollSeconds);
  window.hide();
  Fl::flush();
}

}  // namespace

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
  const char* shownText = text ? text : "";
  const char* shownCaption = caption ? caption : "Error";  // Windows' caption for a null one
  std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
  std::fflush(stderr);

  // The signals wait while SDL hands back its own handlers and ours take their place, so that
  // none arrives in between.
  sigset_t held;
  sigset_t previousMask;
  sigemptyset(&held);
  sigaddset(&held, SIGINT);
  sigaddset(&held, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &held, &previousMask);
  EndSDLVideo();
  gInterrupted = 0;
  struct sigaction previousInterrupt {};
  struct sigaction previousTerminate {};
  CatchSignal(SIGINT, &previousInterrupt);
  CatchSignal(SIGTERM, &previousTerminate);
  pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);

  if (CanShowDialogs() && !gInterrupted) ShowBox(shownCaption, shownText);

  sigaction(SIGINT, &previousInterrupt, nullptr);
  sigaction(SIGTERM, &previousTerminate, nullptr);
  return IDOK;
}

namespace detail {

// FLTK takes UTF-8, and reads "@" in a label as the start of a symbol's name.
std::string MessageBoxLabel(const char* text) {
  std::string label;
  for (const char c : CodePageToUtf8(CP_ACP, text)) {
    if (c == '@') label += '@';
    label += c;
  }
  return label;
}

}  // namespace detail

}  // namespace plat::win
