#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/StdControls.h"
#include "skin/PageBase.h"

// What a recording and a snapshot produce: the snapshot folder, picture type and JPEG quality, the
// record folder, format and picture quality, the time-shift format, length and reservation, and
// the MPEG-4 size and motion search. The folders, formats and qualities are stored by OK or Apply;
// the MPEG-4 size and audio and the time-shift length and reservation are applied at once and
// put back by Cancel.
class CRecordFormatPage : public CPageBase
{
    DECLARE_DYNAMIC(CRecordFormatPage)
public:
    CRecordFormatPage();
    ~CRecordFormatPage() override;

    BOOL OnInitDialog() override;
    void LoadData() override;
    BOOL SaveData() override;
    void OnReset() override;
    BOOL OnSetActive() override;

    // The time-shift length list: 10 to 60 minutes, the controller's length selected.
    void FillTimeShiftLengths();
    int GetRecordFormat() const { return m_nRecordFormat; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void ShowMpeg4Controls();
    void OnBrowseSnapshot();
    void OnBrowseRecord();
    void OnQualityChanged();
    void OnFormatChanged();
    void OnMpeg4SizeChanged();
    void OnMpeg4AudioChanged();
    void OnSnapshotType();
    void OnTimeShiftFirst();
    void OnTimeShiftSecond();
    void ChooseTimeShiftFormat(int nFormat);
    void OnMpegParameters();
    void OnTimeShiftLength();
    void OnTimeShiftReserve();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    CComboBox m_mpeg4Size;
    CComboBox m_mpeg4Audio;
    CComboBox m_format;
    CComboBox m_quality;
    CSliderCtrl m_jpegSlider;
    CSliderCtrl m_motionSlider;
    CString m_strSnapFolder;
    CString m_strRecordFolder;
    int m_nSnapType;
    int m_nTimeShiftFormat;
    int m_nMotionChoice;
    int m_nJpegQuality;
    int m_nMotionValue;
    int m_nPictureQuality;
    int m_nRecordFormat;
    int m_nBackupTimeShiftLength;
    int m_nBackupTimeShiftReserved;
    CString m_strBackupMpeg4Audio;
    int m_nBackupMpeg4Width;
    int m_nBackupMpeg4Height;
};
