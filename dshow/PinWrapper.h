#pragma once

#include <dshow.h>

#include "platform/dshow/ComPtr.h"

class CFilterNode;

// One pin of a CFilterNode's pin list. The peer is the wrapper of the pin it
// is connected to as the graph recorded it (set and cleared only by
// CDShowGraph::ConnectPins and DisconnectPin).
class CPinWrapper
{
public:
    enum { NAME_SIZE = 256 };

    CPinWrapper(IPin* pPin, CFilterNode* pOwner);
    virtual ~CPinWrapper();

    BOOL HasPin() const { return m_pPeer != NULL; }
    IPin* GetPin() const { return m_pPin; }
    CFilterNode* GetOwner() const { return m_pOwner; }
    CPinWrapper* GetPeer() const { return m_pPeer; }
    CPinWrapper* GetNext() const { return m_pNext; }
    LPCSTR GetName() const { return m_szName; }

    BOOL QueryDirection(PIN_DIRECTION* pDirection);
    BOOL QueryId(LPWSTR* ppszId);
    BOOL QueryPinInfo(PIN_INFO* pInfo);
    BOOL QueryAccept(const AM_MEDIA_TYPE* pmt);
    HRESULT EnumMediaTypes(IEnumMediaTypes** ppEnum);
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* pmt);
    HRESULT ShowPropertyPages(LPCSTR pszCaption, HWND hwndOwner);

    // "MainType:<name>,SubType:<name>" of the connection's media type.
    BOOL DescribeMediaType(char* pszText, int cbText);
    // "MainType:<name>" of the first media type the pin offers.
    BOOL DescribeFirstMediaType(char* pszText, int cbText);

    ComPtr<IPin> m_pPin;
    CFilterNode* m_pOwner;
    CPinWrapper* m_pPeer;
    CPinWrapper* m_pNext;
    char m_szName[NAME_SIZE];

private:
    CPinWrapper(const CPinWrapper&) = delete;
    CPinWrapper& operator=(const CPinWrapper&) = delete;
};

// Frees what an AM_MEDIA_TYPE holds (format block and its object), not the
// structure itself.
void FreeMediaTypeContents(AM_MEDIA_TYPE& mt);
