#pragma once

#include <windows.h>

class CIniFile;

// One block of the user's MPEG record parameters, in storage order.
struct CRecordParamBlock
{
    int AudioCrc;       // nonzero: audio CRC on
    int AudioDataRate;  // 0, 1 or 2
    int AudioRate;      // written to the encoder as one byte
    int VideoRate;      // video bit-rate index
    int CloseGop;
    int GOPSIZE;      // written to the encoder as one byte
    int AudioPut;     // 1, 2 or 3
    int VideoVBR;     // peak Mbit/s in constant-rate mode
    int VideoEncode;  // nonzero: variable-rate mode
    int VideoSize;    // 0 small picture, 1 full picture
};

// The user's MPEG record parameters: an MPEG-1 block and an MPEG-2 block, kept in the settings
// file under "RecordParam-mpeg1" and "RecordParam-mpeg2".
class CRecordParam
{
public:
    CRecordParam();

    // Writes (bSave) or reads both blocks; nothing without a file.
    void Load(BOOL bSave, CIniFile* pIni);
    // The MPEG-1 block for format 1, the MPEG-2 block for any other.
    void SelectFormat(int nFormat);
    void SetDefaults();
    // The block chosen last; none before the first SelectFormat.
    const CRecordParamBlock* GetActive() const { return m_pActive; }

    CRecordParamBlock m_Mpeg1;
    CRecordParamBlock m_Mpeg2;

private:
    CRecordParam(const CRecordParam&) = delete;
    CRecordParam& operator=(const CRecordParam&) = delete;

    CRecordParamBlock* m_pActive;
};
