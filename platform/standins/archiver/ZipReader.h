#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One file of a zip archive: its path inside the archive (backslashes) and where its data lie.
struct ZipEntry
{
    std::wstring path;
    unsigned method;
    unsigned long crc;
    unsigned long compressedSize;
    unsigned long size;
    unsigned long localHeader;
};

// A zip archive read whole into memory; stored and deflated entries can be extracted.
class CZipReader
{
public:
    bool Open(LPCWSTR pszPath);
    const std::vector<ZipEntry>& Entries() const { return m_entries; }
    // The entry's bytes, checked against its CRC; false when they cannot be had.
    bool Extract(const ZipEntry& entry, std::vector<unsigned char>& data) const;

private:
    std::vector<unsigned char> m_archive;
    std::vector<ZipEntry> m_entries;
};
