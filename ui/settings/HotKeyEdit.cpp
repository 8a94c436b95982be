#include "ui/settings/HotKeyEdit.h"

#include "ui/settings/KeyNames.h"

namespace {

// A modifier alone stands in the key slot as 255, so that it never names a key of its own.
const WORD kModifierOnly = 255;

BOOL IsDown(int virtualKey)
{
    return ::GetKeyState(virtualKey) < 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CHotKeyEdit, CEdit)

BEGIN_MESSAGE_MAP(CHotKeyEdit, CEdit)
ON_WM_KEYDOWN()
ON_CONTROL_REFLECT(EN_CHANGE, &CHotKeyEdit::OnChange)
END_MESSAGE_MAP()

CHotKeyEdit::CHotKeyEdit() : m_key(0), m_flags(0), m_valid(FALSE)
{
}

CHotKeyEdit::~CHotKeyEdit()
{
}

BOOL CHotKeyEdit::GetHotKey(WORD& key, WORD& flags) const
{
    if (!m_valid)
        return FALSE;
    key = m_key;
    flags = m_flags;
    return TRUE;
}

void CHotKeyEdit::SetHotKey(WORD key, WORD flags)
{
    m_key = key;
    m_flags = flags;
    UpdateText();
}

void CHotKeyEdit::UpdateText()
{
    const CString text = FormatCaptureText(m_key, m_flags, &m_valid);
    if (m_hWnd)
        SetWindowText(text);
}

BOOL CHotKeyEdit::PreTranslateMessage(MSG* msg)
{
    switch (msg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    {
        m_flags = FVIRTKEY;
        if (IsDown(VK_CONTROL))
            m_flags |= FCONTROL;
        if (IsDown(VK_SHIFT))
            m_flags |= FSHIFT;
        if (IsDown(VK_MENU))
            m_flags |= FALT;
        const WORD key = static_cast<WORD>(msg->wParam);
        m_key = key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU ? kModifierOnly : key;
        UpdateText();
        return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!m_valid && m_hWnd)
            SetWindowText("");
        return TRUE;
    default:
        return CEdit::PreTranslateMessage(msg);
    }
}

void CHotKeyEdit::OnKeyDown(UINT, UINT, UINT)
{
}

void CHotKeyEdit::OnChange()
{
}
