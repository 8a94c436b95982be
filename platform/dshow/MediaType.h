#pragma once
#include <dshow.h>

// AM_MEDIA_TYPE ownership: the format block and pUnk belong to the structure.
void FreeMediaType(AM_MEDIA_TYPE& mt);
void DeleteMediaType(AM_MEDIA_TYPE* pmt);
HRESULT CopyMediaType(AM_MEDIA_TYPE* pDest, const AM_MEDIA_TYPE* pSrc);
// A task-memory copy, as enumerators hand out; null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* pSrc);

// An AM_MEDIA_TYPE that owns its format block.
class CMediaType : public AM_MEDIA_TYPE
{
public:
    CMediaType();
    explicit CMediaType(const GUID* pMajorType);
    CMediaType(const AM_MEDIA_TYPE& mt, HRESULT* phr = nullptr);
    CMediaType(const CMediaType& mt);
    ~CMediaType();

    CMediaType& operator=(const AM_MEDIA_TYPE& mt);
    CMediaType& operator=(const CMediaType& mt);
    // Same major type, subtype, format type and format bytes.
    bool operator==(const CMediaType& other) const;
    bool operator!=(const CMediaType& other) const { return !(*this == other); }

    HRESULT Set(const AM_MEDIA_TYPE& mt);
    BOOL IsValid() const;

    const GUID* Type() const { return &majortype; }
    const GUID* Subtype() const { return &subtype; }
    const GUID* FormatType() const { return &formattype; }
    void SetType(const GUID* p) { majortype = *p; }
    void SetSubtype(const GUID* p) { subtype = *p; }
    void SetFormatType(const GUID* p) { formattype = *p; }

    BYTE* Format() const { return pbFormat; }
    ULONG FormatLength() const { return cbFormat; }
    BOOL SetFormat(const BYTE* p, ULONG length);
    BYTE* AllocFormatBuffer(ULONG length);
    BYTE* ReallocFormatBuffer(ULONG length);
    void ResetFormatBuffer();

    void SetSampleSize(ULONG size);
    void SetVariableSize();
    void SetTemporalCompression(BOOL b) { bTemporalCompression = b; }
    BOOL IsFixedSize() const { return bFixedSizeSamples; }
    BOOL IsTemporalCompressed() const { return bTemporalCompression; }
    ULONG GetSampleSize() const { return bFixedSizeSamples ? lSampleSize : 0; }

    // GUID_NULL in the partial type's major type, subtype or format type matches anything.
    BOOL MatchesPartial(const CMediaType* pPartial) const;
    BOOL IsPartiallySpecified() const;

    // Back to the empty type: GUID_NULL everywhere, fixed-size samples of 1 byte.
    void InitMediaType();
};
