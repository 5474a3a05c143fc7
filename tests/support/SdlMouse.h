// The mouse moved by hand, as the window system would move it: what SDL's mouse state then reads.
#pragma once

namespace test {

// Needs a video mode; SDL keeps the position inside the screen.
void MoveMouse(int x, int y);

}  // namespace test
