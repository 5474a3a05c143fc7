// Icons of the program's resources as the images FLTK gives the window manager.
#pragma once

#include "platform/mfc/Types.h"

class Fl_RGB_Image;

namespace plat::mfc::detail {

// Made once per icon and kept to the end of the process; null for a null icon.
const Fl_RGB_Image* ImageOfIcon(HICON icon);

}  // namespace plat::mfc::detail
