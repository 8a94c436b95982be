#pragma once
#include "engine/RecordParam.h"
#include "platform/afx/CommonControls.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/StdControls.h"

// The hardware encoder's parameters of one format (1 MPEG-1, 2 MPEG-2). The dialog edits a copy of
// the controller's record; OK writes the copy back, Cancel leaves the controller's record alone.
class CRecordFormatDlg : public CDialog
{
public:
    explicit CRecordFormatDlg(CWnd* pParent = NULL);

    void SetFormat(int nFormat) { m_nFormat = nFormat; }
    int GetFormat() const { return m_nFormat; }
    const CRecordParamBlock& GetCopy() const { return m_copy; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Whole groups of controls on or off, shown or hidden.
    void EnableAudioGroup(BOOL bEnable, BOOL bShow);
    void EnableVideoGroup(BOOL bEnable, BOOL bShow);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The controller's record of the dialog's format.
    CRecordParamBlock& TargetRecord() const;
    void FillSizes();
    void ShowFields();
    void OnAudioCrc();
    void OnAudioDataRate();
    void OnAudioPut();
    void OnAudioRate();
    void OnVideoRate();
    void OnVideoSize();
    void OnGopSize();
    void OnCloseGop();
    void OnEncodeMode();
    void OnDefaults();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    CComboBox m_audioRate;
    CComboBox m_videoRate;
    CComboBox m_videoSize;
    CComboBox m_gopSize;
    CSliderCtrl m_vbr;
    CRecordParamBlock m_copy;
    CRecordParamBlock* m_pCopy;
    int m_nFormat;
};
