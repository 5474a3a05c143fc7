// The message box of the settings tool, through which it reports what went wrong.
#include "platform/mfc/MessageBox.h"

#include <FL/fl_ask.H>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/mfc/Display.h"

namespace plat::mfc {

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
  const char* shownText = text ? text : "";
  const char* shownCaption = caption ? caption : "Error";  // Windows' caption for a null one
  // The terminal's line names the caption first, unless the text already does ("Error: ...").
  const size_t captionLength = std::strlen(shownCaption);
  if (std::strncmp(shownText, shownCaption, captionLength) == 0 && shownText[captionLength] == ':') {
    std::fprintf(stderr, "%s\n", shownText);
  } else {
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
  }
  std::fflush(stderr);
  if (detail::CanShowMessageBoxes()) {
    const std::string title = detail::Utf8FromCodePage(shownCaption);
    fl_message_title(title.c_str());
    fl_choice("%s", "OK", nullptr, nullptr, detail::LabelFromCodePage(shownText).c_str());
  }
  return IDOK;
}

}  // namespace plat::mfc
