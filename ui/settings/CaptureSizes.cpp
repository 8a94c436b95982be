#include "ui/settings/CaptureSizes.h"

#include <stdio.h>

namespace
{
const SIZE kNTSCSizes[] = { { 320, 240 }, { 640, 480 }, { 720, 480 } };
const SIZE kPALSizes[] = { { 352, 288 }, { 640, 480 }, { 720, 576 } };
} // namespace

int FillCaptureSizes(CComboBox& combo, BOOL bNTSC, CSize current)
{
    const SIZE* pTable = bNTSC ? kNTSCSizes : kPALSizes;
    combo.ResetContent();
    int nSelected = -1;
    for (int i = 0; i < 3; ++i)
    {
        char text[32];
        sprintf(text, "%d * %d", static_cast<int>(pTable[i].cx), static_cast<int>(pTable[i].cy));
        const int nRow = combo.AddString(text);
        combo.SetItemDataPtr(nRow, const_cast<SIZE*>(&pTable[i]));
        if (pTable[i].cx == current.cx && pTable[i].cy == current.cy)
            nSelected = nRow;
    }
    combo.SetCurSel(nSelected);
    return nSelected;
}

CSize CaptureSizeOfRow(const CComboBox& combo, int nRow)
{
    if (nRow < 0 || nRow >= combo.GetCount())
        return CSize(0, 0);
    const SIZE* pSize = static_cast<const SIZE*>(combo.GetItemDataPtr(nRow));
    return pSize && pSize != reinterpret_cast<const SIZE*>(CB_ERR) ? CSize(pSize->cx, pSize->cy) : CSize(0, 0);
}

int SelectExact(CComboBox& combo, LPCSTR pszText)
{
    const int nRow = pszText && *pszText ? combo.FindStringExact(-1, pszText) : CB_ERR;
    if (nRow == CB_ERR)
        return -1;
    combo.SetCurSel(nRow);
    return nRow;
}

void FillChoices(CComboBox& combo, UINT nStringId)
{
    CString choices;
    choices.LoadString(nStringId);
    combo.ResetContent();
    int nStart = 0;
    while (nStart <= choices.GetLength() && !choices.IsEmpty())
    {
        int nEnd = choices.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = choices.GetLength();
        combo.AddString(choices.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}
