#pragma once
#include "platform/afx/Array.h"
#include "platform/afx/List.h"
#include "platform/afx/StringArray.h"
#include "ui/settings/HotKeyItem.h"

class CWnd;

// A command that can be bound to keys.
struct CHotKeyCommand
{
    DWORD group;   // index into the group names
    WORD command;  // the WM_COMMAND identifier the key sends
    CString name;  // unique without regard to case
    CString description;
};

// Every bindable command, grouped for display, and the key bindings; builds the accelerator table
// the owner translates keys with. Stored as its serialised form (the "Accel" file).
class CHotKeyTable : public CObject
{
public:
    static constexpr DWORD kNoCommand = 0xFFFFFFFF;

    CHotKeyTable();
    ~CHotKeyTable() override;

    void Serialize(CArchive& ar) override;

    // -1 for an empty name or one already present (without regard to case); else the new index.
    int AddGroup(LPCSTR name);
    // -1 for an empty name, or when the command id or the name (without regard to case) is taken.
    int AddCommand(DWORD group, WORD command, LPCSTR name, LPCSTR description);
    // Puts the binding, with FVIRTKEY added, at the head of the list. FALSE for key 0, an unknown
    // command, or a key already bound with the same flags.
    BOOL AddKey(const ACCEL& accel, WORD extra);
    // Removes the command's first binding whose key text equals the text without regard to case.
    BOOL RemoveKey(LPCSTR commandName, LPCSTR keyText);
    DWORD FindCommand(LPCSTR name) const;
    CString GetDescription(LPCSTR name) const;
    void RemoveAll();

    // Stores the owner only when none is stored yet; TRUE when a non-null owner was stored now.
    BOOL SetOwner(CWnd* owner);
    CWnd* GetOwner() const { return m_owner; }
    // Replaces the accelerator table by one made of the bindings, head first. With no bindings
    // there is no table, so keys removed from the table stop working.
    BOOL BuildAccelerators();
    HACCEL GetAccelerators() const { return m_accelerators; }

    // The file is written beside the target and then replaces it, so a failed save keeps the old one.
    BOOL SaveFile(LPCSTR path);
    // Empties the table, then reads the file; FALSE when the file is missing, short or damaged,
    // keeping the entries read completely before the fault.
    BOOL LoadFile(LPCSTR path);

    int GetGroupCount() const { return static_cast<int>(m_groups.GetSize()); }
    const CString& GetGroupName(int index) const { return m_groups[index]; }
    int GetCommandCount() const { return static_cast<int>(m_commands.GetSize()); }
    const CHotKeyCommand& GetCommand(int index) const { return m_commands[index]; }
    int GetKeyCount() const { return static_cast<int>(m_keys.GetCount()); }
    POSITION GetFirstKeyPosition() const { return m_keys.GetHeadPosition(); }
    const CHotKeyItem* GetNextKey(POSITION& pos) const { return m_keys.GetNext(pos); }

private:
    void DeleteKeys();
    void Load(CArchive& ar);
    const CHotKeyCommand* FindCommandEntry(LPCSTR name) const;
    BOOL HasCommandId(WORD command) const;

    CStringArray m_groups;
    CArray<CHotKeyCommand> m_commands;
    CList<CHotKeyItem*, CHotKeyItem*> m_keys;
    HACCEL m_accelerators;
    CWnd* m_owner;
};
