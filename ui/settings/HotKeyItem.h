#pragma once
#include "platform/afx/Archive.h"

// One key binding: an accelerator record (flags, virtual key, command) and a word kept beside it.
class CHotKeyItem : public CObject
{
public:
    CHotKeyItem();
    CHotKeyItem(const ACCEL& accel, WORD extra);
    CHotKeyItem(const CHotKeyItem& other);
    ~CHotKeyItem() override;

    // Flags BYTE, key WORD, command WORD, extra WORD: 7 bytes.
    void Serialize(CArchive& ar) override;

    // Same key with the same flags, whatever the command.
    BOOL operator==(const CHotKeyItem& other) const { return m_key == other.m_key && m_flags == other.m_flags; }
    ACCEL GetAccel() const;
    BYTE GetFlags() const { return m_flags; }
    WORD GetKey() const { return m_key; }
    WORD GetCommand() const { return m_command; }
    WORD GetExtra() const { return m_extra; }
    CString GetKeyText() const;

    static constexpr UINT kSerializedSize = 7;

private:
    CHotKeyItem& operator=(const CHotKeyItem&) = delete;

    BYTE m_flags;
    WORD m_key;
    WORD m_command;
    WORD m_extra;
};
