#include "engine/ChannelTable.h"

#include "foundation/IniFile.h"
#include "foundation/PathUtils.h"
#include "platform/afx/File.h"

#include <cstdio>

namespace {

BOOL IsCommentLine(const CString& line)
{
    return line.GetLength() < 5 || line[0] == ';' || line.Left(2) == "//" || line.Left(2) == "\\\\";
}

}  // namespace

BOOL CChannelTable::SaveToFile(LPCSTR pszPath)
{
    const CString rule = ";" + CString('=', 56);
    CString text;
    text += rule + "\r\n";
    text += m_bFM ? ";\t\tFM Channel Table\r\n" : ";\t\tTV Channel Table\r\n";
    text += rule + "\r\n";
    text += "\r\n\r\n";
    text += "//ID(>0), Flags, Frequence, Name\r\n";
    text += "\r\n\r\n";
    text.AppendFormat("; Count = %d\r\n", GetCount());
    text += "\r\n\r\n\r\n";
    for (int i = 0; i < GetCount(); ++i)
        text += GetChannel(i)->Format() + "\r\n";

    if (!ReplaceFileContents(pszPath, static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength())))
        return 0;
    m_bModified = 0;
    return 1;
}

BOOL CChannelTable::LoadFromFile(LPCSTR pszPath)
{
    CStdioFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::typeText))
        return 0;
    RemoveAll();
    CString line;
    while (file.ReadString(line))
    {
        line.Trim();
        if (IsCommentLine(line))
            continue;
        CChannelItem scratch(0, 0, "", CChannelItem::FLAG_NEW);
        if (scratch.Parse(line))
            Add(new CChannelItem(scratch));
    }
    BOOL bReadFailed = std::ferror(file.m_pStream) != 0;
    file.Close();
    if (bReadFailed)
        return 0;
    m_bModified = 0;
    return 1;
}

BOOL CChannelTable::SaveToProfile(LPCSTR pszPath)
{
    CIniFile ini(pszPath);
    ini.SetInt("General", "Total", GetCount());
    CString key;
    for (int i = 0; i < GetCount(); ++i)
    {
        key.Format("Channel-%d", i);
        ini.SetValue("Channel", key, GetChannel(i)->FormatProfileValue());
    }
    if (!ini.Save())
        return 0;
    m_bModified = 0;
    return 1;
}

BOOL CChannelTable::LoadFromProfile(LPCSTR pszPath)
{
    CIniFile ini(pszPath);
    if (!ini.Load())
        return 0;
    int total = 0;
    if (!ini.GetInt("General", "Total", total))
        return 0;
    RemoveAll();
    // Indexes past the last key present hold nothing, so a damaged total costs no time.
    int last = ini.GetSection("Channel")->GetHighestKeyIndex("Channel-");
    if (total > last + 1)
        total = last + 1;
    CString key, value;
    for (int i = 0; i < total; ++i)
    {
        key.Format("Channel-%d", i);
        if (!ini.GetValue("Channel", key, value))
            continue;
        CChannelItem* pItem = new CChannelItem(static_cast<DWORD>(GetCount() + 1), 0, "", CChannelItem::FLAG_NEW);
        if (pItem->ParseProfileValue(value))
            Add(pItem);
        else
            delete pItem;
    }
    m_bModified = 0;
    return GetCount() > 0 ? 1 : 0;
}
