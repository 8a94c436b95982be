#include "hardware/devices/DvbcCapture.h"

#include "hardware/bus/DvbcRegisterAccess.h"
#include "platform/standins/dm1105/DM1105.h"

#include <new>

// {9B21A661-29BB-4ED3-B125-54B409677B59}
const IID IID_IDvbcControl = { 0x9B21A661, 0x29BB, 0x4ED3, { 0xB1, 0x25, 0x54, 0xB4, 0x09, 0x67, 0x7B, 0x59 } };

namespace
{
// The device whose key callback is registered with the library; null when none is.
CDVBCTSCapture* volatile g_pDvbcKeyDevice = NULL;

BOOL Succeeded(HRESULT hr)
{
    return SUCCEEDED(hr) ? TRUE : FALSE;
}
}  // namespace

CDVBCTSCapture::~CDVBCTSCapture()
{
    UnregisterKeyCallback();
    delete[] m_pBands;
    m_pBands = NULL;
    m_nBands = 0;
    m_pDvbcControl.Reset();
}

BOOL CDVBCTSCapture::Initfilter()
{
    delete[] m_pBands;
    m_pBands = NULL;
    m_nBands = 0;
    m_nSymbolRate = DEFAULT_SYMBOL_RATE;
    m_nModulation = DEFAULT_MODULATION;
    m_hKeyWnd = NULL;
    m_nNotifyParam1 = 0;
    m_nNotifyParam2 = 0;
    m_bKeyPosted = 0;
    m_Pair[0] = m_Pair[1] = 0;
    if (!CFilterNode::Initfilter())
        return FALSE;
    m_pDvbcControl.Reset();
    if (FAILED(m_pFilter->QueryInterface(IID_IDvbcControl, reinterpret_cast<void**>(&m_pDvbcControl))) ||
        !m_pDvbcControl)
        return FALSE;
    return CCaptureDevice::Initfilter();
}

HRESULT CDVBCTSCapture::CreateRegisterAccess()
{
    m_nCardKind = CARD_KIND_DVBC;
    CDvbcRegisterAccess* pAccess = new (std::nothrow) CDvbcRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;
    pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
    return S_OK;
}

// A start beyond the first half of the EEPROM, a run past its end, no bytes
// or no buffer are refused rather than reported as done.
HRESULT CDVBCTSCapture::WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs)
{
    if (pBuffer == NULL || pnCount == NULL)
        return E_POINTER;
    int count = *pnCount;
    if (count < 1 || nStart < 0 || nStart > MAX_EEPROM_START || count > EEPROM_SIZE - nStart)
        return E_INVALIDARG;
    BOOL bLast = FALSE;
    for (int i = 0; i < count; ++i)
    {
        bLast = ::WriteEEPROM(static_cast<DWORD>((nStart + i) % EEPROM_SIZE), &pBuffer[i], 1);
        Sleep(dwDelayMs);
    }
    return bLast ? S_OK : E_FAIL;
}

HRESULT CDVBCTSCapture::ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount)
{
    if (pBuffer == NULL || pnCount == NULL)
        return E_POINTER;
    int count = *pnCount;
    if (count < 1 || nStart < 0 || nStart > MAX_EEPROM_START || count > EEPROM_SIZE - nStart)
        return E_INVALIDARG;
    int nRead = 0;
    for (int i = 0; i < count; ++i)
    {
        BYTE value = 0;
        if (::ReadEEPROM(static_cast<DWORD>((nStart + i) % EEPROM_SIZE), &value, 1))
        {
            pBuffer[i] = value;
            ++nRead;
        }
    }
    *pnCount = nRead;
    return nRead > 0 ? S_OK : E_FAIL;
}

BOOL CDVBCTSCapture::Control1()
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method1());
}
BOOL CDVBCTSCapture::Control2()
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method2());
}
BOOL CDVBCTSCapture::Control3(DWORD a, DWORD b)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method3(a, b));
}
BOOL CDVBCTSCapture::Control5()
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method5());
}
BOOL CDVBCTSCapture::Control6(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method6(a));
}
BOOL CDVBCTSCapture::Control7(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method7(a));
}
BOOL CDVBCTSCapture::Control8(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method8(a));
}
BOOL CDVBCTSCapture::Control9(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method9(a));
}
BOOL CDVBCTSCapture::Control10(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method10(a));
}
BOOL CDVBCTSCapture::Control12(DWORD a)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method12(a));
}
BOOL CDVBCTSCapture::Control18(DWORD a, DWORD b)
{
    return m_pDvbcControl && Succeeded(m_pDvbcControl->Method18(a, b));
}

void CDVBCTSCapture::SetBands(const DvbcBand* pBands, int count)
{
    if (pBands == NULL || count < 0)
        return;
    DvbcBand* pTable = new (std::nothrow) DvbcBand[count + 10]();
    if (pTable == NULL)
        return;
    for (int i = 0; i < count; ++i)
        pTable[i] = pBands[i];
    delete[] m_pBands;
    m_pBands = pTable;
    m_nBands = count;
}

const DvbcBand* CDVBCTSCapture::GetBand(int index) const
{
    if (m_pBands == NULL || index < 0 || index >= m_nBands)
        return NULL;
    return &m_pBands[index];
}

void CDVBCTSCapture::GetFrequencyRange(DWORD* pLow, DWORD* pHigh) const
{
    DWORD low = 900000;
    DWORD high = 100000;
    for (int i = 0; m_pBands != NULL && i < m_nBands; ++i)
    {
        if (m_pBands[i].dwLow < low)
            low = m_pBands[i].dwLow;
        if (m_pBands[i].dwHigh > high)
            high = m_pBands[i].dwHigh;
    }
    if (low > high)
    {
        DWORD swap = low;
        low = high;
        high = swap;
    }
    if (pLow != NULL)
        *pLow = low;
    if (pHigh != NULL)
        *pHigh = high;
}

void CDVBCTSCapture::SetNotify(HWND hWnd, DWORD value1, DWORD value2)
{
    m_hKeyWnd = hWnd;
    m_nNotifyParam1 = value1;
    m_nNotifyParam2 = value2;
}

void CDVBCTSCapture::GetPair(DWORD* pFirst, DWORD* pSecond) const
{
    if (pFirst != NULL)
        *pFirst = m_Pair[0];
    if (pSecond != NULL)
        *pSecond = m_Pair[1];
}

void CDVBCTSCapture::SetPair(DWORD first, DWORD second)
{
    m_Pair[0] = first;
    m_Pair[1] = second;
}

BOOL CDVBCTSCapture::IsValidBuffer(const void* p, UINT_PTR cb, BOOL bWritable)
{
    if (p == NULL)
        return FALSE;
    // Every page the block touches must be committed and allow the access.
    const BYTE* pByte = static_cast<const BYTE*>(p);
    const BYTE* pEnd = pByte + (cb > 0 ? cb : 1);
    while (pByte < pEnd)
    {
        MEMORY_BASIC_INFORMATION info;
        if (VirtualQuery(pByte, &info, sizeof(info)) == 0 || info.State != MEM_COMMIT)
            return FALSE;
        DWORD protect = info.Protect & ~(PAGE_GUARD | PAGE_NOCACHE | PAGE_WRITECOMBINE);
        if ((info.Protect & PAGE_GUARD) != 0 || protect == PAGE_NOACCESS)
            return FALSE;
        if (bWritable && protect != PAGE_READWRITE && protect != PAGE_WRITECOPY && protect != PAGE_EXECUTE_READWRITE &&
            protect != PAGE_EXECUTE_WRITECOPY)
            return FALSE;
        const BYTE* pNext = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize;
        if (pNext <= pByte)
            return FALSE;
        pByte = pNext;
    }
    return TRUE;
}

BOOL CDVBCTSCapture::RegisterKeyCallback()
{
    InterlockedExchange(&m_bKeyPosted, 0);
    if (g_pDvbcKeyDevice != NULL)
        return TRUE;
    // The library hands the context back as a 32-bit value; the callback finds
    // the device through g_pDvbcKeyDevice instead.
    BOOL bResult = RegIRkeyCallback(&CDVBCTSCapture::KeyCallback, 0, this);
    g_pDvbcKeyDevice = bResult ? this : NULL;
    return bResult;
}

// Only the registered device takes the callback away from the library.
BOOL CDVBCTSCapture::UnregisterKeyCallback()
{
    InterlockedExchange(&m_bKeyPosted, 0);
    if (g_pDvbcKeyDevice != this)
        return FALSE;
    g_pDvbcKeyDevice = NULL;
    return UnregIRkeyCallback();
}

BOOL CDVBCTSCapture::SetPortPower(BOOL bOn)
{
    return WritePortBYTE(POWER_PORT, bOn ? POWER_ON : 0);
}

void __cdecl CDVBCTSCapture::KeyCallback(DWORD, DWORD key)
{
    CDVBCTSCapture* pDevice = g_pDvbcKeyDevice;
    if (pDevice != NULL)
        pDevice->OnKey(key);
}

void CDVBCTSCapture::OnKey(DWORD key)
{
    if (m_hKeyWnd == NULL)
        return;
    if (InterlockedCompareExchange(&m_bKeyPosted, 1, 0) != 0)
        return;
    PostMessage(m_hKeyWnd, WM_REMOTE_KEY, static_cast<WPARAM>(key & 0xFF), 0);
}
