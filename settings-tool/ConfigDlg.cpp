// The settings dialog: graphics detail as three radio buttons, music streaming as a check box.
#include "settings-tool/ConfigDlg.h"

#include <cstdint>
#include <limits>

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/WinApp.h"
#include "settings-tool/CaptionTable.h"
#include "settings-tool/ConfigResources.h"
#include "settings-tool/ConfigSettings.h"

using namespace plat::mfc;

namespace {

// 2 - level, as a radio index; a level whose index would not fit in 32 bits selects none, as any
// other level outside 0 to 2 does.
int GraphicsIndexOf(int32_t level) {
  const int64_t index = 2 - static_cast<int64_t>(level);
  return index > std::numeric_limits<int>::max() ? -1 : static_cast<int>(index);
}

}  // namespace

CConfigDlg::CConfigDlg(CWnd* parent)
    : CDialog(IDD_CONFIG_DIALOG, parent),
      m_hIcon(AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr) {}

void CConfigDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_GFX_BOX, m_gfxBox);
  DDX_Control(dx, IDC_GFX_HIGH, m_gfxHigh);
  DDX_Control(dx, IDC_GFX_MED, m_gfxMed);
  DDX_Control(dx, IDC_GFX_LOW, m_gfxLow);
  DDX_Control(dx, IDC_GFX_HIGH_DESC, m_gfxHighDesc);
  DDX_Control(dx, IDC_GFX_MED_DESC, m_gfxMedDesc);
  DDX_Control(dx, IDC_GFX_LOW_DESC, m_gfxLowDesc);
  DDX_Control(dx, IDC_MUSIC_BOX, m_musicBox);
  DDX_Control(dx, IDC_MUSIC_STREAM, m_musicStream);
  DDX_Control(dx, IDC_MUSIC_DESC, m_musicDesc);
  DDX_Control(dx, IDOK, m_okBut);
  DDX_Control(dx, IDCANCEL, m_cancelBut);
  DDX_Check(dx, IDC_MUSIC_STREAM, m_bStreamMusic);
  DDX_Radio(dx, IDC_GFX_HIGH, m_nGraphicsIndex);
}

BOOL CConfigDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  m_bStreamMusic = gConfigSettings.m_streamMusic;
  m_nGraphicsIndex = GraphicsIndexOf(gConfigSettings.m_graphics);
  UpdateData(FALSE);
  ApplyCaptions();
  return TRUE;
}

void CConfigDlg::ApplyCaptions() {
  const CaptionTable captions(CaptionTable::FindFile("PiloConfig.ini").c_str());
  struct Caption {
    const char* key;
    CWnd& control;
  };
  const Caption kCaptions[] = {
      {"GfxBox", m_gfxBox},
      {"GfxHigh", m_gfxHigh},
      {"GfxMed", m_gfxMed},
      {"GfxLow", m_gfxLow},
      {"GfxHighDesc", m_gfxHighDesc},
      {"GfxMedDesc", m_gfxMedDesc},
      {"GfxLowDesc", m_gfxLowDesc},
      {"MusicBox", m_musicBox},
      {"MusicStream", m_musicStream},
      {"MusicDesc", m_musicDesc},
      {"OkBut", m_okBut},
      {"CancelBut", m_cancelBut},
  };
  // Where the table has no key the template's text stays: an empty default would blank the choices.
  for (const Caption& caption : kCaptions) {
    caption.control.SetWindowText(captions.GetString(caption.key, caption.control.GetWindowText().c_str()));
  }
  SetWindowText(captions.GetString("WindowTitle", GetWindowText().c_str()));
}

void CConfigDlg::OnOK() {
  UpdateData(TRUE);
  gConfigSettings.m_streamMusic = m_bStreamMusic == 1 ? 1 : 0;
  gConfigSettings.m_graphics = 2 - m_nGraphicsIndex;
  EndDialog(IDOK);
}
