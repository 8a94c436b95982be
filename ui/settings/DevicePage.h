#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/StdControls.h"
#include "skin/PageBase.h"

// The input source and its video standard, the audio capture device and line, the play device and
// line, the recording level, the TV sound mode and language, and the teletext viewer. Every choice
// goes to the controller and the card at once; Cancel puts back what was in use when the page
// loaded.
class CDevicePage : public CPageBase
{
    DECLARE_DYNAMIC(CDevicePage)
public:
    // TV sound modes of the TV-audio filter.
    enum
    {
        MODE_MONO = 1,
        MODE_STEREO = 2,
        MODE_LANGUAGE_A = 16,
        MODE_LANGUAGE_B = 32,
        MODE_LANGUAGE_C = 64,
    };
    enum
    {
        TIMER_TELETEXT = 1,
        TELETEXT_PERIOD = 2000,
    };

    CDevicePage();
    ~CDevicePage() override;

    BOOL OnInitDialog() override;
    void LoadData() override;
    void OnReset() override;
    BOOL OnSetActive() override;

    // The mode sent to the card for a sound mode (0 stereo, 1 mono) or a language (0..2).
    static long SoundModeOf(int nStereo) { return nStereo == 1 ? MODE_MONO : MODE_STEREO; }
    static long LanguageModeOf(int nLanguage) { return MODE_LANGUAGE_A << (nLanguage >= 0 && nLanguage <= 2 ? nLanguage : 0); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void FillSources();
    void FillStandards();
    void FillAudioInputs();
    void FillPlayDevices();
    void FillPlayInputs();
    void EnableSoundRadios();
    void ShowLevel();
    // Selects the text in the combo, or entry 0; TRUE when entry 0 stood in.
    static BOOL SelectOrFirst(CComboBox& combo, const CString& text);
    void WidenDropDown(CComboBox& combo);
    void SetPlayInput(const CString& line);

    void OnSourceChanged();
    void OnStandardChanged();
    void OnAudioInputChanged();
    void OnAudioDeviceChanged();
    void OnPlayDeviceChanged();
    void OnPlayInputChanged();
    void OnPlayDeviceDropDown();
    void OnAudioDeviceDropDown();
    void OnStereo();
    void OnMono();
    void OnLanguageA();
    void OnLanguageB();
    void OnLanguageC();
    void SetLanguage(int nLanguage);
    void OnTeletext();
    void OnTimer(UINT_PTR nIDEvent);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CComboBox m_audioInput;
    CComboBox m_audioDevice;
    CComboBox m_source;
    CComboBox m_standard;
    int m_nStereo;
    int m_nLanguage;
    BOOL m_bTeletext;
    CSliderCtrl m_level;
    CComboBox m_playDevice;
    CComboBox m_playInput;
    CStatic m_levelText;
    int m_nSource;
    CString m_strAudioDevice;
    CString m_strAudioInput;
    int m_nBackupSource;
    CString m_strBackupAudioDevice;
    CString m_strBackupAudioInput;
    CString m_strBackupPlayDevice;
    CString m_strBackupPlayInput;
    CString m_strPlayDevice;
    CString m_strPlayInput;
    int m_nLevel;
    int m_nBackupLevel;
    int m_nBackupStereo;
    int m_nBackupLanguage;
    UINT_PTR m_nTimer;
    // The stored standard of each input (TV, composite, S-Video) when the page loaded.
    int m_backupStandards[3];
};
