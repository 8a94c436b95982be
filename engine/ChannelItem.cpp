#include "engine/ChannelItem.h"

#include <cstdlib>
#include <cstring>

namespace {

// Splits off up to nMax tokens separated by runs of the separator characters; returns how many
// were found and where each begins in the text.
int SplitTokens(const CString& text, LPCSTR pszSeparators, int nMax, CString* tokens, int* starts)
{
    int count = 0;
    int len = text.GetLength();
    int i = 0;
    while (count < nMax)
    {
        while (i < len && std::strchr(pszSeparators, text[i]))
            ++i;
        if (i >= len)
            break;
        int start = i;
        while (i < len && !std::strchr(pszSeparators, text[i]))
            ++i;
        tokens[count] = text.Mid(start, i - start);
        if (starts)
            starts[count] = start;
        ++count;
    }
    return count;
}

// A name that holds a comma, or that begins with a quote, is written in quotes with its own
// quotes doubled; every other name is written as it is, as it always was.
CString QuoteProfileName(const CString& name)
{
    if (name.Find(',') < 0 && (name.IsEmpty() || name[0] != '"'))
        return name;
    CString quoted("\"");
    for (int i = 0; i < name.GetLength(); ++i)
    {
        if (name[i] == '"')
            quoted += '"';
        quoted += name[i];
    }
    quoted += '"';
    return quoted;
}

// A quoted name closed by a quote right before a comma; FALSE (and the value read the old way)
// when the value does not have that form.
BOOL UnquoteProfileName(const CString& value, CString& name, CString& rest)
{
    if (value.IsEmpty() || value[0] != '"')
        return FALSE;
    CString text;
    for (int i = 1; i < value.GetLength(); ++i)
    {
        if (value[i] != '"')
        {
            text += value[i];
            continue;
        }
        if (i + 1 < value.GetLength() && value[i + 1] == '"')
        {
            text += '"';
            ++i;
            continue;
        }
        if (i + 1 < value.GetLength() && value[i + 1] == ',')
        {
            name = text;
            rest = value.Mid(i + 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

CChannelItem::CChannelItem(DWORD id, long frequency, LPCSTR name, DWORD flags)
    : ID(id), Frequency(frequency), Name(name ? name : ""), Flags(flags)
{
}

CChannelItem::CChannelItem(const CChannelItem& other)
    : ID(other.ID), Frequency(other.Frequency), Name(other.Name), Flags(other.Flags)
{
}

CChannelItem& CChannelItem::operator=(const CChannelItem& other)
{
    ID = other.ID;
    Frequency = other.Frequency;
    Flags = other.Flags;
    Name = other.Name;
    return *this;
}

CChannelItem::~CChannelItem()
{
}

void CChannelItem::SetFavorite(BOOL bFavorite)
{
    if (bFavorite)
        Flags |= FLAG_FAVORITE;
    else
        Flags &= ~static_cast<DWORD>(FLAG_FAVORITE);
}

void CChannelItem::SetHidden(BOOL bHidden)
{
    if (bHidden)
        Flags |= FLAG_HIDDEN;
    else
        Flags &= ~static_cast<DWORD>(FLAG_HIDDEN);
}

CString CChannelItem::Format() const
{
    CString line;
    line.Format("%d,%d,%ld,%s", static_cast<int>(ID), static_cast<int>(Flags), Frequency, Name);
    return line;
}

// The name runs from its first character to the end of the line, so it keeps inner blanks,
// tabs and commas.
BOOL CChannelItem::Parse(LPCSTR pszLine)
{
    CString line(pszLine ? pszLine : "");
    CString tokens[4];
    int starts[4];
    int count = SplitTokens(line, ", \t", 4, tokens, starts);
    if (count >= 1)
        ID = static_cast<DWORD>(std::atol(tokens[0]));
    if (count >= 2)
        Flags = static_cast<DWORD>(std::atol(tokens[1]));
    if (count >= 3)
        Frequency = std::atol(tokens[2]);
    if (count >= 4)
        Name = line.Mid(starts[3]);
    return count == 4 && ID != 0 && Frequency >= 1;
}

CString CChannelItem::FormatProfileValue() const
{
    CString value;
    value.Format("%s,%d,%ld", QuoteProfileName(Name), static_cast<int>(Frequency), IsFavorite() ? 3L : 1L);
    return value;
}

BOOL CChannelItem::ParseProfileValue(LPCSTR pszValue)
{
    CString value(pszValue ? pszValue : "");
    CString tokens[3];
    int count;
    CString name, rest;
    if (UnquoteProfileName(value, name, rest))
    {
        tokens[0] = name;
        count = 1 + SplitTokens(rest, ",", 2, tokens + 1, nullptr);
    }
    else
    {
        count = SplitTokens(value, ",", 3, tokens, nullptr);
    }
    if (count >= 1)
        Name = tokens[0];
    if (count >= 2)
        Frequency = std::atol(tokens[1]);
    if (count >= 3)
        SetFavorite((std::atol(tokens[2]) & FLAG_FAVORITE) != 0);
    return count == 3 && Frequency >= 1 && !Name.IsEmpty();
}
