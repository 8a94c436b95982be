#include "dshow/VideoProfiles.h"

#include "dshow/DShowText.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
enum LineKind
{
    LINE_EMPTY = 0,
    LINE_STREAM = 1,
    LINE_FRAMERATE = 2,
    LINE_RESOLUTION = 3,
    LINE_BITRATE = 4,
    LINE_KEY = 5,
    LINE_MALFORMED = 6,
    LINE_END = 7,
};

enum { LINE_SIZE = 1000 };

const DWORD PRESENT_NAME = 0x20000000;
const DWORD PRESENT_DESC = 0x10000000;

// How a key is stored: a plain number (4 or 1 bytes at its offset), or one of
// the keys with a rule of their own.
enum KeyStore
{
    STORE_DWORD,
    STORE_BYTE,
    STORE_NAME,
    STORE_DESC,
    STORE_STANDARD,
    STORE_QMIN,
    STORE_QMAX,
    STORE_DUPLICATE,
    STORE_MBBRC,
    STORE_WINDOW,
};

struct KeyRow
{
    const char* pszKey;
    DWORD dwPresent;
    KeyStore store;
    size_t offset;
};

#define NAME_KEYS                                                  \
    { "name", PRESENT_NAME, STORE_NAME, 0 },                       \
    { "desc", PRESENT_DESC, STORE_DESC, offsetof(ConfigHeader, desc) }

const KeyRow kStreamKeys[] = {
    NAME_KEYS,
    { "compress_mode", 0x1, STORE_DWORD, offsetof(StreamConfig, compress_mode) },
    { "sequence", 0x2, STORE_DWORD, offsetof(StreamConfig, sequence) },
    { "gop_mode", 0x4, STORE_BYTE, offsetof(StreamConfig, gop_mode) },
    { "gop_size", 0x8, STORE_DWORD, offsetof(StreamConfig, gop_size) },
    { "mpeg4_mode", 0x10, STORE_BYTE, offsetof(StreamConfig, mpeg4_mode) },
    { "DVD_compliant", 0x400, STORE_BYTE, offsetof(StreamConfig, DVD_compliant) },
    { "deinterlace_mode", 0x20, STORE_BYTE, offsetof(StreamConfig, deinterlace_mode) },
    { "search_range", 0x40, STORE_BYTE, offsetof(StreamConfig, search_range) },
    { "gop_head_enable", 0x80, STORE_BYTE, offsetof(StreamConfig, gop_head_enable) },
    { "seq_head_enable", 0x100, STORE_BYTE, offsetof(StreamConfig, seq_head_enable) },
    { "aspect_ratio", 0x200, STORE_BYTE, offsetof(StreamConfig, aspect_ratio) },
};

const KeyRow kFrameRateKeys[] = {
    NAME_KEYS,
    { "tv_standard", 0x8, STORE_STANDARD, offsetof(FrameRateConfig, tv_standard) },
    { "frame_rate", 0x1, STORE_DWORD, offsetof(FrameRateConfig, frame_rate) },
    { "drop_frame", 0x4, STORE_DWORD, offsetof(FrameRateConfig, drop_frame) },
    { "ivtc_enable", 0x2, STORE_BYTE, offsetof(FrameRateConfig, ivtc_enable) },
};

const KeyRow kResolutionKeys[] = {
    NAME_KEYS,
    { "tv_standard", 0x200, STORE_STANDARD, offsetof(ResolutionConfig, tv_standard) },
    { "width", 0x1, STORE_DWORD, offsetof(ResolutionConfig, width) },
    { "height", 0x2, STORE_DWORD, offsetof(ResolutionConfig, height) },
    { "h_sub_window", 0x4, STORE_BYTE, offsetof(ResolutionConfig, h_sub_window) },
    { "v_sub_window", 0x8, STORE_BYTE, offsetof(ResolutionConfig, v_sub_window) },
    { "h_sub_offset", 0x1000, STORE_DWORD, offsetof(ResolutionConfig, h_sub_offset) },
    { "v_sub_offset", 0x2000, STORE_DWORD, offsetof(ResolutionConfig, v_sub_offset) },
    { "h_scale_enb", 0x4000, STORE_BYTE, offsetof(ResolutionConfig, h_scale_enb) },
    { "v_scale_enb", 0x8000, STORE_BYTE, offsetof(ResolutionConfig, v_scale_enb) },
    { "sub_sample", 0x100, STORE_BYTE, offsetof(ResolutionConfig, sub_sample) },
    { "max_bitrate", 0x400, STORE_DWORD, offsetof(ResolutionConfig, max_bitrate) },
    { "min_bitrate", 0x800, STORE_DWORD, offsetof(ResolutionConfig, min_bitrate) },
};

const KeyRow kBitrateKeys[] = {
    NAME_KEYS,
    { "target_bitrate", 0x4, STORE_DWORD, offsetof(BitrateConfig, target_bitrate) },
    { "peak_bitrate", 0x8, STORE_DWORD, offsetof(BitrateConfig, peak_bitrate) },
    { "vbv_buffer", 0x10, STORE_DWORD, offsetof(BitrateConfig, vbv_buffer) },
    { "converge_speed", 0x20, STORE_BYTE, offsetof(BitrateConfig, converge_speed) },
    { "lambda", 0x40, STORE_BYTE, offsetof(BitrateConfig, lambda) },
    { "Q", 0x80, STORE_DWORD, offsetof(BitrateConfig, Q) },
    { "IQ", 0x200, STORE_BYTE, offsetof(BitrateConfig, IQ) },
    { "PQ", 0x400, STORE_BYTE, offsetof(BitrateConfig, PQ) },
    { "BQ", 0x800, STORE_BYTE, offsetof(BitrateConfig, BQ) },
    { "QMin", 0x1000, STORE_QMIN, offsetof(BitrateConfig, rate_control) },
    { "QMax", 0x2000, STORE_QMAX, offsetof(BitrateConfig, rate_control) },
    { "Duplicate", 0x4000, STORE_DUPLICATE, offsetof(BitrateConfig, rate_control) },
    { "MBBrc", 0x8000, STORE_MBBRC, offsetof(BitrateConfig, rate_control) },
    { "WindowSize", 0x10000, STORE_WINDOW, offsetof(BitrateConfig, rate_control) },
};

// Link keys: the key and the kind of configuration it names.
struct LinkKey
{
    const char* pszKey;
    DWORD dwKind;
};

const LinkKey kLinkKeys[] = {
    { "rescfg", CONFIG_KIND_RESOLUTION },
    { "fpscfg", CONFIG_KIND_FRAMERATE },
    { "ctlcfg", CONFIG_KIND_BITRATE },
};

// One section kind: its record, keys, the link kinds it may name (in the
// order its closing links are written) and its unknown-key code.
struct SectionKind
{
    DWORD dwKind;
    size_t cbRecord;
    const KeyRow* pKeys;
    int nKeys;
    DWORD adwLinkKinds[3];
    int nLinkKinds;
    int nUnknownKey;
};

const SectionKind kStreamSection = { CONFIG_KIND_STREAM, sizeof(StreamConfig), kStreamKeys, ARRAYSIZE(kStreamKeys),
                                     { CONFIG_KIND_RESOLUTION, CONFIG_KIND_FRAMERATE, CONFIG_KIND_BITRATE }, 3,
                                     PROFILE_UNKNOWN_STREAM_KEY };
const SectionKind kFrameRateSection = { CONFIG_KIND_FRAMERATE, sizeof(FrameRateConfig), kFrameRateKeys,
                                        ARRAYSIZE(kFrameRateKeys), { CONFIG_KIND_RESOLUTION, CONFIG_KIND_BITRATE }, 2,
                                        PROFILE_UNKNOWN_FRAMERATE_KEY };
const SectionKind kResolutionSection = { CONFIG_KIND_RESOLUTION, sizeof(ResolutionConfig), kResolutionKeys,
                                         ARRAYSIZE(kResolutionKeys), { CONFIG_KIND_BITRATE }, 1,
                                         PROFILE_UNKNOWN_RESOLUTION_KEY };
const SectionKind kBitrateSection = { CONFIG_KIND_BITRATE, sizeof(BitrateConfig), kBitrateKeys,
                                      ARRAYSIZE(kBitrateKeys), {}, 0, PROFILE_UNKNOWN_BITRATE_KEY };

// A link as the file names it; resolved to table positions once the whole
// file is read, because a partner may be named before its own section.
struct NamedLink
{
    DWORD dwKindB;
    std::string strNameB;
    BOOL bClosing;
};

struct AcceptedRecord
{
    DWORD dwKind;
    DWORD dwId;
    std::vector<NamedLink> links;
};

int g_nLastStatus = PROFILE_NO_FILE;
int g_nLastLine = 0;

BOOL StandardsCompatible(DWORD dwRecord, DWORD dwEntry)
{
    if (dwRecord == 0 || dwEntry == 0)
        return dwRecord == 0 && dwEntry == 0;
    return (dwRecord & ~dwEntry) == 0;
}

// A field of an entry counts when the entry gives no presence bits at all or gives that one.
BOOL Significant(const ConfigHeader& entry, DWORD dwBit)
{
    return entry.present == 0 || (entry.present & dwBit) != 0;
}

DWORD Clamped(DWORD dwCount, DWORD dwMax)
{
    return dwCount < dwMax ? dwCount : dwMax;
}

class CProfileParser
{
public:
    CProfileParser(FILE* pFile, EncoderCapabilityTable* pCaps)
        : m_pFile(pFile), m_pCaps(pCaps), m_nLine(0), m_nPendingLinks(0)
    {
        memset(&m_tables, 0, sizeof(m_tables));
        m_szLine[0] = '\0';
    }

    int Parse(BOOL* pbCopy);
    int Line() const { return m_nLine; }
    const VideoProfileTables& Tables() const { return m_tables; }

private:
    int ReadLine();
    void CutComment();
    void RemoveBlanks();
    int RunSection(const SectionKind& kind, int* pnNext);
    int ApplyKey(const SectionKind& kind, BYTE* pRecord, const char* pszKey, const char* pszValue,
                 std::vector<NamedLink>& links);
    int AddPendingLink(std::vector<NamedLink>& links, DWORD dwKindB, const char* pszName, BOOL bClosing);
    int Check(const SectionKind& kind, BYTE* pRecord);
    BOOL Match(const SectionKind& kind, BYTE* pRecord, DWORD* pdwIndex);
    BOOL Accept(const SectionKind& kind, const BYTE* pRecord, DWORD dwIndex);
    BOOL FindId(DWORD dwKind, const std::string& strName, DWORD* pdwId) const;
    void WriteLinks();

    FILE* m_pFile;
    EncoderCapabilityTable* m_pCaps;
    VideoProfileTables m_tables;
    char m_szLine[LINE_SIZE];
    int m_nLine;
    std::vector<AcceptedRecord> m_accepted;
    int m_nPendingLinks;
};

void CProfileParser::CutComment()
{
    BOOL bQuoted = FALSE;
    int nSlashes = 0;
    for (int i = 0; m_szLine[i] != '\0'; ++i)
    {
        char ch = m_szLine[i];
        if (ch == '"')
        {
            bQuoted = !bQuoted;
            continue;
        }
        if (ch != '/')
        {
            nSlashes = 0;
            continue;
        }
        if (bQuoted)
            continue;
        if (++nSlashes == 2)
        {
            m_szLine[i - 1] = '\0';
            return;
        }
    }
}

void CProfileParser::RemoveBlanks()
{
    BOOL bQuoted = FALSE;
    int nOut = 0;
    for (int i = 0; m_szLine[i] != '\0'; ++i)
    {
        char ch = m_szLine[i];
        if (ch == '"')
        {
            bQuoted = !bQuoted;
            continue;
        }
        if (ch == '\r' || ch == '\n')
            continue;
        if (!bQuoted && (ch == ' ' || ch == '\t'))
            continue;
        m_szLine[nOut++] = ch;
    }
    m_szLine[nOut] = '\0';
}

int CProfileParser::ReadLine()
{
    if (fgets(m_szLine, LINE_SIZE, m_pFile) == NULL)
        return LINE_END;
    ++m_nLine;
    CutComment();
    RemoveBlanks();
    if (m_szLine[0] == '\0')
        return LINE_EMPTY;
    if (m_szLine[0] != '[')
        return strchr(m_szLine, '=') != NULL ? LINE_KEY : LINE_MALFORMED;
    for (char* p = m_szLine; *p != '\0'; ++p)
    {
        if (static_cast<unsigned char>(*p) < 0x80)
            *p = static_cast<char>(tolower(static_cast<unsigned char>(*p)));
    }
    static const char* const kHeaders[] = { "[streamsetting]", "[frameratesetting]", "[resolutionsetting]",
                                            "[bitratesetting]" };
    for (int i = 0; i < 4; ++i)
    {
        if (strcmp(m_szLine, kHeaders[i]) == 0)
            return LINE_STREAM + i;
    }
    return LINE_MALFORMED;
}

int CProfileParser::Parse(BOOL* pbCopy)
{
    *pbCopy = TRUE;
    int nStatus = PROFILE_OK;
    int nKind = LINE_EMPTY;
    for (;;)
    {
        if (nKind == LINE_EMPTY)
        {
            nKind = ReadLine();
            if (nKind == LINE_EMPTY)
                continue;
            if (nKind == LINE_KEY || nKind == LINE_MALFORMED)
            {
                *pbCopy = FALSE;
                return PROFILE_OUTSIDE_SECTION;
            }
        }
        const SectionKind* pKind = NULL;
        switch (nKind)
        {
        case LINE_STREAM: pKind = &kStreamSection; break;
        case LINE_FRAMERATE: pKind = &kFrameRateSection; break;
        case LINE_RESOLUTION: pKind = &kResolutionSection; break;
        case LINE_BITRATE: pKind = &kBitrateSection; break;
        default: break;
        }
        if (pKind == NULL)
            break;
        int nResult = RunSection(*pKind, &nKind);
        // A configuration the encoder lacks is left out wherever it stands;
        // any other error ends the load.
        if (nResult != PROFILE_OK && nResult != PROFILE_NO_MATCH)
        {
            nStatus = nResult;
            break;
        }
    }
    WriteLinks();
    return nStatus;
}

int CProfileParser::AddPendingLink(std::vector<NamedLink>& links, DWORD dwKindB, const char* pszName, BOOL bClosing)
{
    DWORD dwBase = Clamped(m_pCaps->linkCount, PROFILE_MAX_LINKS);
    if (dwBase + m_nPendingLinks + links.size() >= PROFILE_MAX_LINKS)
        return PROFILE_LINKS_FULL;
    links.push_back({ dwKindB, pszName != NULL ? pszName : "", bClosing });
    return PROFILE_OK;
}

int CProfileParser::ApplyKey(const SectionKind& kind, BYTE* pRecord, const char* pszKey, const char* pszValue,
                             std::vector<NamedLink>& links)
{
    ConfigHeader* pHeader = reinterpret_cast<ConfigHeader*>(pRecord);
    for (int i = 0; i < kind.nKeys; ++i)
    {
        const KeyRow& row = kind.pKeys[i];
        if (strcmp(row.pszKey, pszKey) != 0)
            continue;
        pHeader->present |= row.dwPresent;
        LONG lValue = strtol(pszValue, NULL, 10);
        DWORD* pdw = reinterpret_cast<DWORD*>(pRecord + row.offset);
        switch (row.store)
        {
        case STORE_DWORD: *pdw = static_cast<DWORD>(lValue); break;
        case STORE_BYTE: pRecord[row.offset] = static_cast<BYTE>(lValue); break;
        // Names and descriptions longer than their fields are cut.
        case STORE_NAME: CopyAnsi(pHeader->name, PROFILE_NAME_SIZE, pszValue); break;
        case STORE_DESC: CopyAnsi(pHeader->desc, PROFILE_DESC_SIZE, pszValue); break;
        case STORE_STANDARD:
            if (strcmp(pszValue, "NTSC") == 0)
                *pdw = PROFILE_STANDARD_NTSC;
            else if (strcmp(pszValue, "PAL") == 0)
                *pdw = PROFILE_STANDARD_PAL;
            else if (strcmp(pszValue, "None") == 0)
                *pdw = 0;
            else
                return PROFILE_BAD_STANDARD;
            break;
        case STORE_QMIN: *pdw |= static_cast<DWORD>(lValue) & 0x7F; break;
        case STORE_DUPLICATE: *pdw |= lValue > 0 ? 0x80 : 0; break;
        case STORE_QMAX: *pdw |= (static_cast<DWORD>(lValue) & 0x7F) << 8; break;
        case STORE_MBBRC: *pdw |= lValue > 0 ? 0x8000 : 0; break;
        case STORE_WINDOW: *pdw |= (static_cast<DWORD>(lValue) & 0xFFFF) << 16; break;
        }
        return PROFILE_OK;
    }
    for (const LinkKey& link : kLinkKeys)
    {
        if (strcmp(link.pszKey, pszKey) != 0)
            continue;
        for (int i = 0; i < kind.nLinkKinds; ++i)
        {
            if (kind.adwLinkKinds[i] == link.dwKind)
                return AddPendingLink(links, link.dwKind, pszValue, FALSE);
        }
    }
    return kind.nUnknownKey;
}

int CProfileParser::RunSection(const SectionKind& kind, int* pnNext)
{
    DWORD* pdwCount = NULL;
    switch (kind.dwKind)
    {
    case CONFIG_KIND_STREAM: pdwCount = &m_tables.streamCount; break;
    case CONFIG_KIND_FRAMERATE: pdwCount = &m_tables.framerateCount; break;
    case CONFIG_KIND_RESOLUTION: pdwCount = &m_tables.resolutionCount; break;
    default: pdwCount = &m_tables.bitrateCount; break;
    }
    *pnNext = LINE_END;
    if (*pdwCount >= PROFILE_MAX_RECORDS)
        return PROFILE_TOO_MANY;

    union
    {
        StreamConfig stream;
        FrameRateConfig framerate;
        ResolutionConfig resolution;
        BitrateConfig bitrate;
    } record;
    memset(&record, 0, sizeof(record));
    BYTE* pRecord = reinterpret_cast<BYTE*>(&record);
    std::vector<NamedLink> links;

    for (;;)
    {
        int nLine = ReadLine();
        if (nLine == LINE_EMPTY)
            continue;
        if (nLine != LINE_KEY)
        {
            *pnNext = nLine;
            break;
        }
        char* pszValue = strchr(m_szLine, '=');
        *pszValue++ = '\0';
        int nResult = ApplyKey(kind, pRecord, m_szLine, pszValue, links);
        if (nResult != PROFILE_OK)
            return nResult;
    }

    // Only the named partners of a kind stay allowed.
    for (int i = 0; i < kind.nLinkKinds; ++i)
    {
        BOOL bNamed = FALSE;
        for (const NamedLink& link : links)
            bNamed |= !link.bClosing && link.dwKindB == kind.adwLinkKinds[i];
        if (bNamed)
        {
            int nResult = AddPendingLink(links, kind.adwLinkKinds[i], NULL, TRUE);
            if (nResult != PROFILE_OK)
                return nResult;
        }
    }
    if (*pnNext == LINE_MALFORMED)
        return PROFILE_MALFORMED_IN_SECTION;

    int nCheck = Check(kind, pRecord);
    if (nCheck != PROFILE_OK)
        return nCheck;
    DWORD dwIndex = *pdwCount;
    if (kind.dwKind != CONFIG_KIND_BITRATE && !Match(kind, pRecord, &dwIndex))
        return PROFILE_NO_MATCH;
    Accept(kind, pRecord, dwIndex);
    m_accepted.back().links = links;
    m_nPendingLinks += static_cast<int>(links.size());
    return PROFILE_OK;
}

int CProfileParser::Check(const SectionKind& kind, BYTE* pRecord)
{
    ConfigHeader* pHeader = reinterpret_cast<ConfigHeader*>(pRecord);
    DWORD& present = pHeader->present;
    if ((present & PRESENT_NAME) == 0 || pHeader->name[0] == '\0')
        return PROFILE_NO_NAME;
    DWORD dwExisting;
    if (FindId(kind.dwKind, pHeader->name, &dwExisting))
        return PROFILE_DUPLICATE_NAME;

    switch (kind.dwKind)
    {
    case CONFIG_KIND_STREAM:
    {
        StreamConfig& s = *reinterpret_cast<StreamConfig*>(pRecord);
        if ((present & 0x1) == 0)
            return PROFILE_NO_COMPRESS_MODE;
        static const DWORD kModes[] = { 0, 1, 3, 4, 8, 64, 65, 67, 68 };
        BOOL bMode = FALSE;
        for (DWORD mode : kModes)
            bMode |= s.compress_mode == mode;
        if (!bMode)
            return PROFILE_BAD_COMPRESS_MODE;
        if (s.sequence < 1 || s.sequence > 3)
            return PROFILE_BAD_SEQUENCE;
        s.gop_mode = s.gop_mode != 0 ? 1 : 0;
        if ((present & 0x10) == 0)
        {
            if (s.compress_mode == 4 || s.compress_mode == 68)
                return PROFILE_BAD_MPEG4_MODE;
            s.mpeg4_mode = 0;
        }
        else if (s.mpeg4_mode > 3)
        {
            return PROFILE_BAD_MPEG4_MODE;
        }
        s.DVD_compliant = s.DVD_compliant != 0 ? 1 : 0;
        if ((present & 0x20) != 0 && s.deinterlace_mode > 1 && !(s.deinterlace_mode == 2 && s.compress_mode == 1))
            return PROFILE_BAD_DEINTERLACE;
        if ((present & 0x40) != 0 && s.search_range != 16 && s.search_range != 32 && s.search_range != 64 &&
            s.search_range != 128)
            return PROFILE_BAD_SEARCH_RANGE;
        s.gop_head_enable = s.gop_head_enable != 0 ? 1 : 0;
        s.seq_head_enable = s.seq_head_enable != 0 ? 1 : 0;
        if ((present & 0x200) != 0 && (s.aspect_ratio < 1 || s.aspect_ratio > 3))
            return PROFILE_BAD_ASPECT_RATIO;
        return PROFILE_OK;
    }
    case CONFIG_KIND_FRAMERATE:
    {
        FrameRateConfig& f = *reinterpret_cast<FrameRateConfig*>(pRecord);
        if ((present & 0x1) == 0 || (present & 0x8) == 0)
            return PROFILE_FRAMERATE_INCOMPLETE;
        f.ivtc_enable = f.ivtc_enable != 0 ? 1 : 0;
        return PROFILE_OK;
    }
    case CONFIG_KIND_RESOLUTION:
    {
        ResolutionConfig& r = *reinterpret_cast<ResolutionConfig*>(pRecord);
        if ((present & 0x1) == 0 || (present & 0x2) == 0 || (present & 0x200) == 0)
            return PROFILE_RESOLUTION_INCOMPLETE;
        present |= 0x400 | 0x800;
        if ((present & 0x4) == 0)
            r.h_sub_window = 1;
        if ((present & 0x8) == 0)
            r.v_sub_window = 1;
        if ((present & 0x100) == 0)
            r.sub_sample = 0;
        DWORD dwWindow = present & 0xF000;
        if (dwWindow == 0xF000)
            present |= 0x10;
        else if (dwWindow != 0)
            return PROFILE_BAD_SUB_WINDOW;
        return PROFILE_OK;
    }
    default:
    {
        BitrateConfig& b = *reinterpret_cast<BitrateConfig*>(pRecord);
        if ((present & 0x4) == 0 || (present & 0x80) == 0)
            return PROFILE_BITRATE_INCOMPLETE;
        if ((present & 0x8) != 0 && b.target_bitrate > b.peak_bitrate)
            return PROFILE_TARGET_ABOVE_PEAK;
        if ((present & 0x20) != 0 && b.converge_speed > 100)
            return PROFILE_BAD_CONVERGE_SPEED;
        if ((present & 0x40) != 0 && b.lambda > 100)
            return PROFILE_BAD_LAMBDA;
        DWORD dwQuantisers = present & 0xE00;
        if (dwQuantisers == 0xE00)
        {
            if (b.IQ < 1 || b.IQ > 32 || b.PQ < 1 || b.PQ > 32 || b.BQ < 1 || b.BQ > 32)
                return PROFILE_BAD_QUANTISERS;
            present |= 0x100;
        }
        else if (dwQuantisers != 0)
        {
            return PROFILE_BAD_QUANTISERS;
        }
        return PROFILE_OK;
    }
    }
}

BOOL CProfileParser::Match(const SectionKind& kind, BYTE* pRecord, DWORD* pdwIndex)
{
    switch (kind.dwKind)
    {
    case CONFIG_KIND_STREAM:
    {
        const StreamConfig& s = *reinterpret_cast<const StreamConfig*>(pRecord);
        DWORD dwCount = Clamped(m_pCaps->streamCount, PROFILE_MAX_RECORDS);
        for (DWORD i = 0; i < dwCount; ++i)
        {
            const StreamConfig& e = m_pCaps->streams[i];
            const ConfigHeader& h = e.header;
            if (e.compress_mode != s.compress_mode || (Significant(h, 0x10) && e.mpeg4_mode != s.mpeg4_mode) ||
                (Significant(h, 0x400) && e.DVD_compliant != s.DVD_compliant) ||
                (Significant(h, 0x2) && e.sequence != s.sequence) ||
                (Significant(h, 0x4) && e.gop_mode != s.gop_mode) ||
                (Significant(h, 0x8) && e.gop_size != s.gop_size) ||
                (Significant(h, 0x20) && e.deinterlace_mode != s.deinterlace_mode) ||
                (Significant(h, 0x40) && e.search_range != s.search_range) ||
                (Significant(h, 0x80) && e.gop_head_enable != s.gop_head_enable) ||
                (Significant(h, 0x100) && e.seq_head_enable != s.seq_head_enable) ||
                (Significant(h, 0x200) && e.aspect_ratio != s.aspect_ratio))
                continue;
            *pdwIndex = i;
            return TRUE;
        }
        return FALSE;
    }
    case CONFIG_KIND_FRAMERATE:
    {
        const FrameRateConfig& f = *reinterpret_cast<const FrameRateConfig*>(pRecord);
        DWORD dwCount = Clamped(m_pCaps->framerateCount, PROFILE_MAX_RECORDS);
        for (DWORD i = 0; i < dwCount; ++i)
        {
            const FrameRateConfig& e = m_pCaps->framerates[i];
            if (e.frame_rate != f.frame_rate || !StandardsCompatible(f.tv_standard, e.tv_standard) ||
                (Significant(e.header, 0x4) && e.drop_frame != f.drop_frame) ||
                (Significant(e.header, 0x2) && e.ivtc_enable != f.ivtc_enable))
                continue;
            *pdwIndex = i;
            return TRUE;
        }
        return FALSE;
    }
    default:
    {
        ResolutionConfig& r = *reinterpret_cast<ResolutionConfig*>(pRecord);
        DWORD dwCount = Clamped(m_pCaps->resolutionCount, PROFILE_MAX_RECORDS);
        for (DWORD i = 0; i < dwCount; ++i)
        {
            const ResolutionConfig& e = m_pCaps->resolutions[i];
            if (e.width != r.width || e.height != r.height || !StandardsCompatible(r.tv_standard, e.tv_standard))
                continue;
            if (Significant(e.header, 0x10) &&
                (e.h_sub_offset != r.h_sub_offset || e.v_sub_offset != r.v_sub_offset ||
                 e.h_scale_enb != r.h_scale_enb || e.v_scale_enb != r.v_scale_enb))
                continue;
            r.max_bitrate = e.max_bitrate;
            r.min_bitrate = e.min_bitrate;
            *pdwIndex = i;
            return TRUE;
        }
        return FALSE;
    }
    }
}

BOOL CProfileParser::Accept(const SectionKind& kind, const BYTE* pRecord, DWORD dwIndex)
{
    DWORD dwId = dwIndex;
    switch (kind.dwKind)
    {
    case CONFIG_KIND_STREAM:
        m_tables.streams[m_tables.streamCount] = *reinterpret_cast<const StreamConfig*>(pRecord);
        m_tables.streamIndex[m_tables.streamCount++] = dwIndex;
        break;
    case CONFIG_KIND_FRAMERATE:
        m_tables.framerates[m_tables.framerateCount] = *reinterpret_cast<const FrameRateConfig*>(pRecord);
        m_tables.framerateIndex[m_tables.framerateCount++] = dwIndex;
        break;
    case CONFIG_KIND_RESOLUTION:
        m_tables.resolutions[m_tables.resolutionCount] = *reinterpret_cast<const ResolutionConfig*>(pRecord);
        m_tables.resolutionIndex[m_tables.resolutionCount++] = dwIndex;
        break;
    default:
        // Bit rates are not in the capability table: their position in the file's list names them.
        dwId = m_tables.bitrateCount;
        m_tables.bitrates[m_tables.bitrateCount++] = *reinterpret_cast<const BitrateConfig*>(pRecord);
        break;
    }
    m_accepted.push_back({ kind.dwKind, dwId, {} });
    return TRUE;
}

// The identifier of an accepted configuration by its name: its capability
// table position, or for a bit rate its position in the file's list.
BOOL CProfileParser::FindId(DWORD dwKind, const std::string& strName, DWORD* pdwId) const
{
    const ConfigHeader* pHeaders = NULL;
    const DWORD* pIds = NULL;
    DWORD dwCount = 0;
    size_t cbStride = 0;
    switch (dwKind)
    {
    case CONFIG_KIND_STREAM:
        pHeaders = &m_tables.streams[0].header;
        pIds = m_tables.streamIndex;
        dwCount = m_tables.streamCount;
        cbStride = sizeof(StreamConfig);
        break;
    case CONFIG_KIND_FRAMERATE:
        pHeaders = &m_tables.framerates[0].header;
        pIds = m_tables.framerateIndex;
        dwCount = m_tables.framerateCount;
        cbStride = sizeof(FrameRateConfig);
        break;
    case CONFIG_KIND_RESOLUTION:
        pHeaders = &m_tables.resolutions[0].header;
        pIds = m_tables.resolutionIndex;
        dwCount = m_tables.resolutionCount;
        cbStride = sizeof(ResolutionConfig);
        break;
    default:
        pHeaders = &m_tables.bitrates[0].header;
        dwCount = m_tables.bitrateCount;
        cbStride = sizeof(BitrateConfig);
        break;
    }
    for (DWORD i = 0; i < dwCount; ++i)
    {
        const ConfigHeader* pHeader =
            reinterpret_cast<const ConfigHeader*>(reinterpret_cast<const BYTE*>(pHeaders) + i * cbStride);
        if (strName == pHeader->name)
        {
            *pdwId = pIds != NULL ? pIds[i] : i;
            return TRUE;
        }
    }
    return FALSE;
}

// Appends every accepted configuration's links, in file order. A partner
// that is not among the accepted configurations allows nothing; the closing
// link still forbids every other one.
void CProfileParser::WriteLinks()
{
    DWORD& dwCount = m_pCaps->linkCount;
    dwCount = Clamped(dwCount, PROFILE_MAX_LINKS);
    for (const AcceptedRecord& record : m_accepted)
    {
        for (const NamedLink& link : record.links)
        {
            DWORD dwIdB = CONFIG_ID_ANY;
            if (!link.bClosing && !FindId(link.dwKindB, link.strNameB, &dwIdB))
                continue;
            if (dwCount >= PROFILE_MAX_LINKS)
                return;
            m_pCaps->links[dwCount++] = { record.dwKind, record.dwId, link.dwKindB, dwIdB,
                                          static_cast<DWORD>(link.bClosing ? 1 : 0) };
        }
    }
}
}

BOOL LoadVideoProfiles(EncoderCapabilityTable* pCaps, VideoProfileTables* pTables)
{
    char szPath[MAX_PATH + 32] = {};
    GetWindowsDirectoryA(szPath, MAX_PATH);
    strcat(szPath, "/video_profiles.txt");
    return LoadVideoProfilesFrom(szPath, pCaps, pTables);
}

BOOL LoadVideoProfilesFrom(LPCSTR pszPath, EncoderCapabilityTable* pCaps, VideoProfileTables* pTables)
{
    g_nLastStatus = PROFILE_NO_FILE;
    g_nLastLine = 0;
    if (pszPath == NULL || pCaps == NULL || pTables == NULL || GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    FILE* pFile = fopen(pszPath, "rt");
    if (pFile == NULL)
        return FALSE;
    std::unique_ptr<CProfileParser> pParser(new CProfileParser(pFile, pCaps));
    BOOL bCopy = FALSE;
    g_nLastStatus = pParser->Parse(&bCopy);
    g_nLastLine = pParser->Line();
    if (bCopy)
        memcpy(pTables, &pParser->Tables(), sizeof(VideoProfileTables));
    fclose(pFile);
    return g_nLastStatus == PROFILE_OK;
}

int GetVideoProfileStatus(int* pnLine)
{
    if (pnLine != NULL)
        *pnLine = g_nLastLine;
    return g_nLastStatus;
}

void FreeConfigCombinations(EncoderCapabilityTable* pCaps)
{
    if (pCaps == NULL)
        return;
    free(pCaps->combinations);
    pCaps->combinations = NULL;
    pCaps->combinationCount = 0;
}

int CheckConfigLink(const EncoderCapabilityTable* pCaps, const DWORD* pQuery)
{
    DWORD dwCount = Clamped(pCaps->linkCount, PROFILE_MAX_LINKS);
    for (DWORD i = 0; i < dwCount; ++i)
    {
        const ConfigLink& link = pCaps->links[i];
        if (link.kindA != pQuery[0] || link.kindB != pQuery[2])
            continue;
        if ((link.idA != pQuery[1] && link.idA != CONFIG_ID_ANY) || (link.idB != pQuery[3] && link.idB != CONFIG_ID_ANY))
            continue;
        return (link.deny & 0xFF) != 0 ? PROFILE_FORBIDDEN : PROFILE_OK;
    }
    return PROFILE_OK;
}

int BuildConfigCombinations(EncoderCapabilityTable* pCaps, DWORD, DWORD dwStandard)
{
    FreeConfigCombinations(pCaps);
    DWORD dwStreams = Clamped(pCaps->streamCount, PROFILE_MAX_RECORDS);
    DWORD dwFrameRates = Clamped(pCaps->framerateCount, PROFILE_MAX_RECORDS);
    DWORD dwResolutions = Clamped(pCaps->resolutionCount, PROFILE_MAX_RECORDS);
    DWORD dwMost = dwStreams * dwFrameRates * dwResolutions;
    if (dwMost == 0)
        return PROFILE_NO_MATCH;
    ConfigCombination* pCombinations = static_cast<ConfigCombination*>(malloc(dwMost * sizeof(ConfigCombination)));
    if (pCombinations == NULL)
        return PROFILE_NO_MEMORY;
    pCaps->combinations = pCombinations;
    for (DWORD s = 0; s < dwStreams; ++s)
    {
        for (DWORD f = 0; f < dwFrameRates; ++f)
        {
            if (!StandardsCompatible(dwStandard, pCaps->framerates[f].tv_standard))
                continue;
            for (DWORD r = 0; r < dwResolutions; ++r)
            {
                if (!StandardsCompatible(dwStandard, pCaps->resolutions[r].tv_standard))
                    continue;
                const DWORD kStreamFrameRate[4] = { CONFIG_KIND_STREAM, s, CONFIG_KIND_FRAMERATE, f };
                const DWORD kStreamResolution[4] = { CONFIG_KIND_STREAM, s, CONFIG_KIND_RESOLUTION, r };
                const DWORD kFrameRateResolution[4] = { CONFIG_KIND_FRAMERATE, f, CONFIG_KIND_RESOLUTION, r };
                if (CheckConfigLink(pCaps, kStreamFrameRate) != PROFILE_OK ||
                    CheckConfigLink(pCaps, kStreamResolution) != PROFILE_OK ||
                    CheckConfigLink(pCaps, kFrameRateResolution) != PROFILE_OK)
                    continue;
                pCombinations[pCaps->combinationCount++] = { s, r, f };
            }
        }
    }
    return pCaps->combinationCount > 0 ? PROFILE_OK : PROFILE_NO_MATCH;
}

int BuildMpegSequenceHeader(const EncoderConfig* pConfig, const BYTE** ppHeader)
{
    static BYTE s_header[12];
    static const DWORD kFrameRates[] = { 24000, 24024, 25025, 30000, 30030, 50050, 60000, 60060 };
    DWORD dwWidth = pConfig->resolution.width;
    DWORD dwHeight = pConfig->resolution.height;
    BYTE aspect = pConfig->stream.DVD_compliant ? pConfig->stream.aspect_ratio : 2;
    BYTE rate = 4;
    for (int i = 0; i < 8; ++i)
    {
        if (pConfig->framerate.frame_rate == kFrameRates[i])
            rate = static_cast<BYTE>(i + 1);
    }
    const BYTE header[12] = { 0x00, 0x00, 0x01, 0xB3, static_cast<BYTE>(dwWidth >> 4),
                              static_cast<BYTE>(((dwWidth & 0x0F) << 4) | ((dwHeight >> 8) & 0x0F)),
                              static_cast<BYTE>(dwHeight), static_cast<BYTE>((aspect << 4) | (rate & 0x0F)), 0xFF,
                              0xFF, 0xF2, 0xA8 };
    memcpy(s_header, header, sizeof(header));
    if (ppHeader != NULL)
        *ppHeader = s_header;
    return sizeof(s_header);
}

DWORD SwapByteOrder(DWORD dwValue)
{
    return (dwValue >> 24) | ((dwValue >> 8) & 0xFF00) | ((dwValue << 8) & 0xFF0000) | (dwValue << 24);
}
