// The settings tool's resources: the dialog template 102, its control ids and the icon 128.
#pragma once

#include "platform/mfc/Resources.h"

inline constexpr plat::mfc::UINT IDD_CONFIG_DIALOG = 102;
inline constexpr plat::mfc::UINT IDR_MAINFRAME = 128;

inline constexpr int IDC_GFX_HIGH = 1000;
inline constexpr int IDC_GFX_MED = 1001;
inline constexpr int IDC_GFX_LOW = 1002;
inline constexpr int IDC_MUSIC_STREAM = 1005;
inline constexpr int IDC_GFX_HIGH_DESC = 1006;
inline constexpr int IDC_GFX_MED_DESC = 1007;
inline constexpr int IDC_GFX_LOW_DESC = 1008;
inline constexpr int IDC_MUSIC_BOX = 1009;
inline constexpr int IDC_GFX_BOX = 1010;
inline constexpr int IDC_MUSIC_DESC = 1011;

// The table lives as long as the program.
const plat::mfc::ResourceTable& ConfigResources();
