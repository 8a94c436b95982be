#include "platform/standins/archiver/ZipReader.h"

#include "platform/standins/archiver/Inflate.h"

namespace
{
const unsigned long kEndSignature = 0x06054B50;
const unsigned long kCentralSignature = 0x02014B50;
const unsigned long kLocalSignature = 0x04034B50;
const unsigned kFlagUtf8Names = 0x0800;
const size_t kEndRecordSize = 22;
const size_t kCentralRecordSize = 46;
const size_t kLocalRecordSize = 30;

unsigned Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
unsigned long Read32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[0]) | (static_cast<unsigned long>(p[1]) << 8) |
           (static_cast<unsigned long>(p[2]) << 16) | (static_cast<unsigned long>(p[3]) << 24);
}

unsigned long Crc32(const std::vector<unsigned char>& data)
{
    unsigned long crc = 0xFFFFFFFFUL;
    for (unsigned char byte : data)
    {
        crc ^= byte;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320UL & (0UL - (crc & 1)));
    }
    return crc ^ 0xFFFFFFFFUL;
}

std::wstring DecodeName(const unsigned char* p, size_t cb, bool bUtf8)
{
    UINT codePage = bUtf8 ? CP_UTF8 : CP_OEMCP;
    int n = MultiByteToWideChar(codePage, 0, reinterpret_cast<LPCSTR>(p), static_cast<int>(cb), NULL, 0);
    std::wstring name(static_cast<size_t>(n), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, reinterpret_cast<LPCSTR>(p), static_cast<int>(cb), &name[0], n);
    for (wchar_t& c : name)
    {
        if (c == L'/')
            c = L'\\';
    }
    return name;
}
} // namespace

bool CZipReader::Open(LPCWSTR pszPath)
{
    HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool bRead = GetFileSizeEx(hFile, &size) && size.QuadPart < 0x40000000;
    if (bRead)
    {
        m_archive.resize(static_cast<size_t>(size.QuadPart));
        DWORD cbRead = 0;
        bRead = m_archive.empty() ||
                (ReadFile(hFile, m_archive.data(), static_cast<DWORD>(m_archive.size()), &cbRead, NULL) &&
                 cbRead == m_archive.size());
    }
    CloseHandle(hFile);
    if (!bRead || m_archive.size() < kEndRecordSize)
        return false;

    // The end record sits at the end, behind a comment of up to 64 KiB.
    size_t end = m_archive.size() - kEndRecordSize;
    for (;;)
    {
        if (Read32(&m_archive[end]) == kEndSignature)
            break;
        if (end == 0 || m_archive.size() - end > 0xFFFF + kEndRecordSize)
            return false;
        --end;
    }
    unsigned count = Read16(&m_archive[end + 10]);
    size_t pos = Read32(&m_archive[end + 16]);
    for (unsigned i = 0; i < count; ++i)
    {
        if (pos + kCentralRecordSize > m_archive.size() || Read32(&m_archive[pos]) != kCentralSignature)
            return false;
        const unsigned char* p = &m_archive[pos];
        size_t nameLength = Read16(p + 28);
        size_t extraLength = Read16(p + 30);
        size_t commentLength = Read16(p + 32);
        if (pos + kCentralRecordSize + nameLength > m_archive.size())
            return false;
        ZipEntry entry;
        entry.method = Read16(p + 10);
        entry.crc = Read32(p + 16);
        entry.compressedSize = Read32(p + 20);
        entry.size = Read32(p + 24);
        entry.localHeader = Read32(p + 42);
        entry.path = DecodeName(p + kCentralRecordSize, nameLength, (Read16(p + 8) & kFlagUtf8Names) != 0);
        m_entries.push_back(entry);
        pos += kCentralRecordSize + nameLength + extraLength + commentLength;
    }
    return true;
}

bool CZipReader::Extract(const ZipEntry& entry, std::vector<unsigned char>& data) const
{
    size_t pos = entry.localHeader;
    if (pos + kLocalRecordSize > m_archive.size() || Read32(&m_archive[pos]) != kLocalSignature)
        return false;
    pos += kLocalRecordSize + Read16(&m_archive[pos + 26]) + Read16(&m_archive[pos + 28]);
    if (pos + entry.compressedSize > m_archive.size())
        return false;
    data.clear();
    const unsigned char* pData = m_archive.data() + pos;
    if (entry.method == 0)
        data.assign(pData, pData + entry.compressedSize);
    else if (entry.method != 8 || !InflateRaw(pData, entry.compressedSize, data))
        return false;
    return data.size() == entry.size && Crc32(data) == entry.crc;
}
