// A small dialog template and icon of the stand-in's tests: two radio groups, a check box, texts.
#pragma once

#include "platform/mfc/Resources.h"

namespace test {

inline constexpr plat::mfc::UINT kTestDialogId = 7;
inline constexpr plat::mfc::UINT kTestIconId = 9;

enum TestControl { kFrame = 100, kRadioA1, kRadioA2, kRadioA3, kNote, kRadioB1, kRadioB2, kCheck };

inline constexpr uint32_t kTestIconPixels[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x80FFFFFF};

inline constexpr plat::mfc::DialogItemTemplate kTestItems[] = {
    {kFrame, plat::mfc::ControlClass::Button, plat::mfc::BS_GROUPBOX, 5, 5, 120, 90, "Fr@me"},
    {kRadioA1, plat::mfc::ControlClass::Button, plat::mfc::BS_AUTORADIOBUTTON | plat::mfc::WS_GROUP, 10, 15,
     50, 10, "A1"},
    {kRadioA2, plat::mfc::ControlClass::Button, plat::mfc::BS_AUTORADIOBUTTON, 10, 27, 50, 10, "A2"},
    {kNote, plat::mfc::ControlClass::Static, 0, 10, 39, 100, 9, "In group A, not a button"},
    {kRadioA3, plat::mfc::ControlClass::Button, plat::mfc::BS_AUTORADIOBUTTON, 10, 50, 50, 10, "A3"},
    {kRadioB1, plat::mfc::ControlClass::Button, plat::mfc::BS_AUTORADIOBUTTON | plat::mfc::WS_GROUP, 70, 15,
     50, 10, "B1"},
    {kRadioB2, plat::mfc::ControlClass::Button, plat::mfc::BS_AUTORADIOBUTTON, 70, 27, 50, 10, "B2"},
    {kCheck, plat::mfc::ControlClass::Button,
     plat::mfc::BS_AUTOCHECKBOX | plat::mfc::WS_GROUP | plat::mfc::WS_TABSTOP, 10, 70, 60, 10, "Caf\xE9"},
    {plat::mfc::IDOK, plat::mfc::ControlClass::Button, plat::mfc::BS_DEFPUSHBUTTON | plat::mfc::WS_TABSTOP,
     175, 165, 40, 14, "OK"},
    {plat::mfc::IDCANCEL, plat::mfc::ControlClass::Button, plat::mfc::BS_PUSHBUTTON | plat::mfc::WS_TABSTOP,
     220, 165, 40, 14, "Cancel"},
};

inline constexpr plat::mfc::DialogTemplate kTestDialogs[] = {
    {kTestDialogId, 266, 183, "Test dialog", "MS Sans Serif", 8, kTestItems},
};

inline constexpr plat::mfc::IconImage kTestIcons[] = {
    {kTestIconId, 2, 2, kTestIconPixels},
};

inline constexpr plat::mfc::ResourceTable kTestResources = {kTestDialogs, kTestIcons};

}  // namespace test
