#pragma once
#include "platform/afx/StdControls.h"

// The edit on the hot-key page that shows the key combination being held down ("Ctrl + Alt +
// Delete") and hands it on as a virtual-key code with accelerator flags. Keys never reach the edit
// as typing.
class CHotKeyEdit : public CEdit
{
    DECLARE_DYNAMIC(CHotKeyEdit)
public:
    CHotKeyEdit();
    ~CHotKeyEdit() override;

    // FALSE while no whole combination is shown.
    BOOL GetHotKey(WORD& key, WORD& flags) const;
    void SetHotKey(WORD key, WORD flags);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChange();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateText();

    WORD m_key;
    WORD m_flags;
    BOOL m_valid;
};
