#include "engine/RecordParam.h"

#include "foundation/IniFile.h"

namespace {

// The keys in the order the settings file keeps them, with the field each names.
const struct
{
    LPCSTR pszKey;
    int CRecordParamBlock::*pField;
} kKeys[] = {
    { "AudioCrc", &CRecordParamBlock::AudioCrc },       { "AudioPut", &CRecordParamBlock::AudioPut },
    { "AudioRate", &CRecordParamBlock::AudioRate },     { "AudioDataRate", &CRecordParamBlock::AudioDataRate },
    { "VideoRate", &CRecordParamBlock::VideoRate },     { "CloseGop", &CRecordParamBlock::CloseGop },
    { "GOPSIZE", &CRecordParamBlock::GOPSIZE },         { "VideoVBR", &CRecordParamBlock::VideoVBR },
    { "VideoEncode", &CRecordParamBlock::VideoEncode }, { "VideoSize", &CRecordParamBlock::VideoSize },
};

void SerializeBlock(BOOL bSave, CIniFile* pIni, LPCSTR pszSection, CRecordParamBlock& block)
{
    for (const auto& key : kKeys)
    {
        if (bSave)
            pIni->SetInt(pszSection, key.pszKey, block.*key.pField);
        else
            pIni->GetInt(pszSection, key.pszKey, block.*key.pField);
    }
}

}  // namespace

CRecordParam::CRecordParam() : m_pActive(NULL)
{
    const CRecordParamBlock initial = { 0, 2, 1, 5, 0, 6, 1, 2, 0, 0 };
    m_Mpeg1 = initial;
    m_Mpeg2 = initial;
}

void CRecordParam::Load(BOOL bSave, CIniFile* pIni)
{
    if (pIni == NULL)
        return;
    SerializeBlock(bSave, pIni, "RecordParam-mpeg1", m_Mpeg1);
    SerializeBlock(bSave, pIni, "RecordParam-mpeg2", m_Mpeg2);
}

void CRecordParam::SelectFormat(int nFormat)
{
    m_pActive = nFormat == 1 ? &m_Mpeg1 : &m_Mpeg2;
}

void CRecordParam::SetDefaults()
{
    const CRecordParamBlock mpeg1 = { 1, 0, 1, 2, 0, 15, 0, 5, 1, 0 };
    const CRecordParamBlock mpeg2 = { 1, 0, 1, 5, 0, 15, 0, 5, 1, 1 };
    m_Mpeg1 = mpeg1;
    m_Mpeg2 = mpeg2;
}
