#include "ui/settings/HotKeyTable.h"

#include "foundation/PathUtils.h"

#include <algorithm>
#include <vector>

namespace {

// The fewest bytes an entry can take in the file: a command has a DWORD group, a WORD id and two
// string lengths; a group name has its length.
const ULONGLONG kMinGroupSize = 1;
const ULONGLONG kMinCommandSize = 4 + 2 + 1 + 1;

// Reads count entries with readEntry, which keeps each entry it read whole. A count larger than
// the rest of the file can hold is damage, found before anything is made for the entries beyond it.
template <class ReadEntry>
void ReadEntries(CArchive& ar, DWORD count, ULONGLONG minSize, ReadEntry readEntry)
{
    const DWORD fit = static_cast<DWORD>(std::min<ULONGLONG>(count, ar.GetBytesLeft() / minSize));
    for (DWORD i = 0; i < fit && !ar.IsFailed(); ++i)
        readEntry();
    if (fit < count)
        ar.SetFailed();
}

}  // namespace

CHotKeyTable::CHotKeyTable() : m_keys(10), m_accelerators(nullptr), m_owner(nullptr)
{
}

CHotKeyTable::~CHotKeyTable()
{
    if (m_accelerators)
        ::DestroyAcceleratorTable(m_accelerators);
    DeleteKeys();
}

void CHotKeyTable::DeleteKeys()
{
    for (POSITION pos = m_keys.GetHeadPosition(); pos;)
        delete m_keys.GetNext(pos);
    m_keys.RemoveAll();
}

void CHotKeyTable::RemoveAll()
{
    m_groups.RemoveAll();
    m_commands.RemoveAll();
    DeleteKeys();
}

int CHotKeyTable::AddGroup(LPCSTR name)
{
    if (!name || !*name || FindStringInArrayNoCase(m_groups, name) >= 0)
        return -1;
    return static_cast<int>(m_groups.Add(name));
}

const CHotKeyCommand* CHotKeyTable::FindCommandEntry(LPCSTR name) const
{
    for (INT_PTR i = 0; i < m_commands.GetSize(); ++i)
        if (m_commands[i].name.CompareNoCase(name ? name : "") == 0)
            return &m_commands[i];
    return nullptr;
}

BOOL CHotKeyTable::HasCommandId(WORD command) const
{
    for (INT_PTR i = 0; i < m_commands.GetSize(); ++i)
        if (m_commands[i].command == command)
            return TRUE;
    return FALSE;
}

int CHotKeyTable::AddCommand(DWORD group, WORD command, LPCSTR name, LPCSTR description)
{
    if (!name || !*name || HasCommandId(command) || FindCommandEntry(name))
        return -1;
    CHotKeyCommand entry;
    entry.group = group;
    entry.command = command;
    entry.name = name;
    entry.description = description ? description : "";
    return static_cast<int>(m_commands.Add(entry));
}

BOOL CHotKeyTable::AddKey(const ACCEL& accel, WORD extra)
{
    if (accel.key == 0)
        return FALSE;
    ACCEL binding = accel;
    binding.fVirt |= FVIRTKEY;
    if (!HasCommandId(binding.cmd))
        return FALSE;
    CHotKeyItem* item = new CHotKeyItem(binding, extra);
    for (POSITION pos = m_keys.GetHeadPosition(); pos;)
    {
        if (*m_keys.GetNext(pos) == *item)
        {
            delete item;
            return FALSE;
        }
    }
    m_keys.AddHead(item);
    return TRUE;
}

BOOL CHotKeyTable::RemoveKey(LPCSTR commandName, LPCSTR keyText)
{
    const CHotKeyCommand* entry = FindCommandEntry(commandName);
    if (!entry)
        return FALSE;
    for (POSITION pos = m_keys.GetHeadPosition(); pos;)
    {
        const POSITION here = pos;
        CHotKeyItem* item = m_keys.GetNext(pos);
        if (item->GetCommand() == entry->command && item->GetKeyText().CompareNoCase(keyText ? keyText : "") == 0)
        {
            m_keys.RemoveAt(here);
            delete item;
            return TRUE;
        }
    }
    return FALSE;
}

DWORD CHotKeyTable::FindCommand(LPCSTR name) const
{
    const CHotKeyCommand* entry = FindCommandEntry(name);
    return entry ? entry->command : kNoCommand;
}

CString CHotKeyTable::GetDescription(LPCSTR name) const
{
    const CHotKeyCommand* entry = FindCommandEntry(name);
    return entry ? entry->description : CString();
}

BOOL CHotKeyTable::SetOwner(CWnd* owner)
{
    if (m_owner)
        return FALSE;
    m_owner = owner;
    return m_owner != nullptr;
}

BOOL CHotKeyTable::BuildAccelerators()
{
    if (!m_owner)
        return FALSE;
    HACCEL table = nullptr;
    if (!m_keys.IsEmpty())
    {
        std::vector<ACCEL> records;
        records.reserve(m_keys.GetCount());
        for (POSITION pos = m_keys.GetHeadPosition(); pos;)
            records.push_back(m_keys.GetNext(pos)->GetAccel());
        table = ::CreateAcceleratorTableA(records.data(), static_cast<int>(records.size()));
        if (!table)
            return FALSE;
    }
    if (m_accelerators && !::DestroyAcceleratorTable(m_accelerators))
    {
        if (table)
            ::DestroyAcceleratorTable(table);
        return FALSE;
    }
    m_accelerators = table;
    return TRUE;
}

void CHotKeyTable::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
    {
        Load(ar);
        return;
    }
    ar.WriteCount(static_cast<DWORD>(m_groups.GetSize()));
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i)
        ar << m_groups[i];
    ar << static_cast<DWORD>(m_commands.GetSize());
    for (INT_PTR i = 0; i < m_commands.GetSize(); ++i)
    {
        const CHotKeyCommand& entry = m_commands[i];
        ar << entry.group << entry.command << entry.name << entry.description;
    }
    ar << static_cast<DWORD>(m_keys.GetCount());
    for (POSITION pos = m_keys.GetHeadPosition(); pos;)
        m_keys.GetNext(pos)->Serialize(ar);
}

// Entries are taken whole, in file order, up to the first fault.
void CHotKeyTable::Load(CArchive& ar)
{
    ReadEntries(ar, ar.ReadCount(), kMinGroupSize, [&] {
        CString name;
        ar >> name;
        if (!ar.IsFailed())
            m_groups.Add(name);
    });

    DWORD commands = 0;
    ar >> commands;
    ReadEntries(ar, commands, kMinCommandSize, [&] {
        CHotKeyCommand entry;
        ar >> entry.group >> entry.command >> entry.name >> entry.description;
        if (!ar.IsFailed())
            m_commands.Add(entry);
    });

    DWORD keys = 0;
    ar >> keys;
    ReadEntries(ar, keys, CHotKeyItem::kSerializedSize, [&] {
        CHotKeyItem* item = new CHotKeyItem;
        item->Serialize(ar);
        if (ar.IsFailed())
            delete item;
        else
            m_keys.AddTail(item);
    });
}

BOOL CHotKeyTable::SaveFile(LPCSTR path)
{
    if (!path)
        return FALSE;
    const CString temporary = CString(path) + ".tmp";
    CFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return FALSE;
    CArchive ar(&file, CArchive::store, 4096);
    Serialize(ar);
    BOOL saved = ar.Close();
    saved = file.Close() && saved;
    if (saved)
        saved = ::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!saved)
        ::DeleteFileA(temporary);
    return saved;
}

BOOL CHotKeyTable::LoadFile(LPCSTR path)
{
    RemoveAll();
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::typeBinary))
        return FALSE;
    CArchive ar(&file, CArchive::load, 4096);
    Serialize(ar);
    return !ar.IsFailed();
}
