// The settings dialog: graphics detail as three radio buttons, music streaming as a check box.
#pragma once

#include "platform/mfc/Button.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/Static.h"

// Shows gConfigSettings on opening and stores the choice there on OK; Cancel leaves it as it was.
// The texts come from "PiloConfig.ini" where it has a key for them, else they stay the template's.
class CConfigDlg : public plat::mfc::CDialog {
public:
  explicit CConfigDlg(plat::mfc::CWnd* parent = nullptr);

protected:
  void DoDataExchange(plat::mfc::CDataExchange* dx) override;
  plat::mfc::BOOL OnInitDialog() override;
  void OnOK() override;

private:
  void ApplyCaptions();

  plat::mfc::CButton m_gfxBox;
  plat::mfc::CButton m_gfxHigh;
  plat::mfc::CButton m_gfxMed;
  plat::mfc::CButton m_gfxLow;
  plat::mfc::CStatic m_gfxHighDesc;
  plat::mfc::CStatic m_gfxMedDesc;
  plat::mfc::CStatic m_gfxLowDesc;
  plat::mfc::CButton m_musicBox;
  plat::mfc::CButton m_musicStream;
  plat::mfc::CStatic m_musicDesc;
  plat::mfc::CButton m_okBut;
  plat::mfc::CButton m_cancelBut;
  int m_bStreamMusic = 0;
  int m_nGraphicsIndex = -1;  // 0 high, 1 medium, 2 low, -1 none
  plat::mfc::HICON m_hIcon;
};
