#include "dshow/DShowText.h"

#include <vector>

void CopyAnsi(char* pszOut, int cbOut, LPCSTR pszIn)
{
    if (pszOut == NULL || cbOut <= 0)
        return;
    int n = 0;
    if (pszIn != NULL)
    {
        while (pszIn[n] != '\0')
        {
            int nChar = (IsDBCSLeadByte(static_cast<BYTE>(pszIn[n])) && pszIn[n + 1] != '\0') ? 2 : 1;
            if (n + nChar > cbOut - 1)
                break;
            n += nChar;
        }
        CopyMemory(pszOut, pszIn, n);
    }
    pszOut[n] = '\0';
}

int AnsiFromWide(LPCWSTR pszIn, char* pszOut, int cbOut)
{
    if (pszOut == NULL || cbOut <= 0)
        return 0;
    pszOut[0] = '\0';
    if (pszIn == NULL)
        return 0;
    int cbNeeded = WideCharToMultiByte(CP_ACP, 0, pszIn, -1, NULL, 0, NULL, NULL);
    if (cbNeeded <= 0)
        return 0;
    if (cbNeeded <= cbOut)
    {
        WideCharToMultiByte(CP_ACP, 0, pszIn, -1, pszOut, cbOut, NULL, NULL);
        return lstrlenA(pszOut);
    }
    std::vector<char> full(cbNeeded);
    WideCharToMultiByte(CP_ACP, 0, pszIn, -1, full.data(), cbNeeded, NULL, NULL);
    CopyAnsi(pszOut, cbOut, full.data());
    return lstrlenA(pszOut);
}

int WideFromAnsi(LPCSTR pszIn, WCHAR* pszOut, int cchOut)
{
    if (pszOut == NULL || cchOut <= 0)
        return 0;
    pszOut[0] = L'\0';
    if (pszIn == NULL)
        return 0;
    int cchNeeded = MultiByteToWideChar(CP_ACP, 0, pszIn, -1, NULL, 0);
    if (cchNeeded <= 0)
        return 0;
    std::vector<WCHAR> full(cchNeeded);
    MultiByteToWideChar(CP_ACP, 0, pszIn, -1, full.data(), cchNeeded);
    int n = cchNeeded - 1;
    if (n > cchOut - 1)
    {
        n = cchOut - 1;
        // Do not leave half of a surrogate pair at the end.
        if (n > 0 && full[n - 1] >= 0xD800 && full[n - 1] <= 0xDBFF)
            --n;
    }
    CopyMemory(pszOut, full.data(), n * sizeof(WCHAR));
    pszOut[n] = L'\0';
    return n;
}

LPCSTR FindLastAnsiChar(LPCSTR psz, char ch)
{
    LPCSTR pLast = NULL;
    if (psz == NULL)
        return NULL;
    for (LPCSTR p = psz; *p != '\0'; ++p)
    {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0')
            ++p;
        else if (*p == ch)
            pLast = p;
    }
    return pLast;
}
