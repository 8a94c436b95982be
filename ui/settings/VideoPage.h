#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/StdControls.h"
#include "skin/PageBase.h"

// The picture: the capture window size, the adjustments of the capture device (video proc-amp) or
// of the overlay, noise reduction and its level, half frame rate, overlay use, high quality and
// the desktop overlay. Every change goes to the controller at once; Cancel gives the controller
// back the values of a copy of the page taken when the page loaded or last applied.
class CVideoPage : public CPageBase
{
    DECLARE_DYNAMIC(CVideoPage)
public:
    enum
    {
        SET_DEVICE = 0,
        SET_OVERLAY = 1,
        PICTURE_VALUES = 5,
    };

    CVideoPage();
    ~CVideoPage() override;

    BOOL OnInitDialog() override;
    void LoadData() override;
    void OnReset() override;
    BOOL OnSetActive() override;

    // The page's copy of the controller's values.
    void ReadController();
    const CVideoPage* GetBackup() const { return m_pBackup; }
    int GetAdjustmentSet() const { return m_nSet; }
    int GetDeviceValue(int i) const { return m_device[i]; }
    int GetOverlayValue(int i) const { return m_overlay[i]; }
    CSize GetCaptureSize() const { return m_captureSize; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Ranges, limits and values of the chosen set on the sliders and in the edits.
    void ShowSet();
    void EnableControls();
    void ApplyValue(int nIndex, int nValue);

    void OnNoiseReduce();
    void OnSetChosen();
    void OnSizeChanged();
    void OnDefaults();
    void OnHighQuality();
    void OnUseOverlay();
    void OnHalfRate();
    void OnDesktop();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    CSliderCtrl m_sliders[PICTURE_VALUES];
    CComboBox m_size;
    CSliderCtrl m_noiseSlider;
    BOOL m_bHalfRate;
    BOOL m_bUseOverlay;
    BOOL m_bNoiseReduce;
    int m_shown[PICTURE_VALUES];
    int m_nNoiseLevel;
    int m_nSet;
    BOOL m_bHighQuality;
    CSize m_captureSize;
    int m_device[PICTURE_VALUES];
    int m_overlay[PICTURE_VALUES];
    BOOL m_bDesktop;
    CVideoPage* m_pBackup;
};
