// The texts the video window lays over the picture: channel, record state, notices, the channel
// number being typed and the volume bar.
#include "ui/VideoDlg.h"

namespace
{
const UINT kLabelAutoHideMs = 4000;
const COLORREF kLabelColor = RGB(0, 255, 0);
const BYTE kGb2312Charset = 134;

void Prepare(COSDLabelWnd& label, CWnd* pParent, UINT format, const RECT& margins)
{
    label.SetAutoHide(kLabelAutoHideMs);
    label.SetColor(kLabelColor);
    label.SetFontCharset(kGb2312Charset);
    label.SetFontFace("黑体");
    label.SetTextFormat(format);
    label.SetMargins(margins);
    label.Create(pParent);
}
}  // namespace

void CVideoDlg::CreateLabels()
{
    const RECT corner = { 5, 5, 5, 5 };
    const RECT notice = { 5, 30, 5, 5 };
    Prepare(m_channelLabel, this, DT_RIGHT, corner);
    Prepare(m_recordLabel, this, DT_LEFT, corner);
    Prepare(m_noticeLabel, this, DT_LEFT, notice);
    Prepare(m_digitsLabel, this, DT_RIGHT, corner);
    Prepare(m_volumeLabel, this, DT_LEFT, corner);
    m_volumeLabel.SetFontScale(30, 40, 10);
}

void CVideoDlg::DestroyLabels()
{
    COSDLabelWnd* labels[] = { &m_channelLabel, &m_recordLabel, &m_noticeLabel, &m_digitsLabel, &m_volumeLabel };
    for (COSDLabelWnd* pLabel : labels)
    {
        if (pLabel->m_hWnd != NULL)
            pLabel->DestroyWindow();
    }
}

namespace
{
// The channel and digits labels share the corner: showing one hides the other. Neither is shown
// while the video window is hidden.
void ShowCornerLabel(CWnd& video, COSDLabelWnd& shown, COSDLabelWnd& other, BOOL bShow)
{
    if (bShow && !video.IsWindowVisible())
        return;
    if (bShow)
        other.Show(FALSE);
    shown.Show(bShow);
}
}  // namespace

void CVideoDlg::ShowChannelLabel(BOOL bShow) { ShowCornerLabel(*this, m_channelLabel, m_digitsLabel, bShow); }

void CVideoDlg::ShowDigitsLabel(BOOL bShow) { ShowCornerLabel(*this, m_digitsLabel, m_channelLabel, bShow); }

void CVideoDlg::ShowRecordLabel(BOOL bShow)
{
    if (IsWindowVisible())
        m_recordLabel.Show(bShow);
}

void CVideoDlg::ShowNoticeLabel(BOOL bShow)
{
    if (IsWindowVisible())
        m_noticeLabel.Show(bShow);
}

void CVideoDlg::ShowVolumeBar(BOOL bShow, LPCSTR text, int percent)
{
    if (bShow)
    {
        m_volumeLabel.SetPercent(percent);
        m_volumeLabel.SetText(text);
    }
    m_volumeLabel.Show(bShow && IsWindowVisible());
}
