#include "parvane/Mpeg1Stream.h"

#include <string.h>

#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/PackLayout.h"
#include "parvane/OutputFile.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};
const BYTE kPrefix[3] = {0x00, 0x00, 0x01};

} // namespace

CMpeg1Stream::CMpeg1Stream(CMappedFile* reader)
    : CMpegStream(reader, 1), m_sequenceHeaderLength(0), m_systemHeadersLength(0)
{
    memset(m_sequenceHeader, 0, sizeof(m_sequenceHeader));
    memset(m_systemHeaders, 0, sizeof(m_systemHeaders));
    m_valid = m_restamper ? ScanFile() : 0;
}

int CMpeg1Stream::ScanFile()
{
    if (!m_reader)
        return 0;
    m_packSpacing = PackSpacing();
    if (m_packSpacing <= 0)
        return 0;
    m_fileSize = m_reader->GetFileSize();
    m_sequenceHeaderLength = 0;

    __int64 sequence = ReadSequenceHeader();
    if (sequence < 0)
        return 0;
    __int64 next = m_reader->PositionOf(m_reader->FindForward(kPrefix, sequence + 3, 3));
    if (next < 0 || next - sequence >= (__int64)sizeof(m_sequenceHeader))
        return 0;
    const BYTE* copy = m_reader->Pointer(sequence, (int)(next - sequence));
    if (!copy)
        return 0;
    m_sequenceHeaderLength = (int)(next - sequence);
    memcpy(m_sequenceHeader, copy, m_sequenceHeaderLength);

    __int64 firstSystemHeader = -1;
    __int64 from = 0;
    int counter = 1;
    for (;;)
    {
        __int64 at = m_reader->PositionOf(m_reader->FindForward(kSystemHeaderCode, from, 4));
        if (at < 0)
            break;
        if (firstSystemHeader < 0)
            firstSystemHeader = at;
        const BYTE* h = m_reader->Pointer(at, 12);
        if (!h)
            return 0;
        int length = (h[4] << 8) | h[5];
        if ((length - 6) / 3 > 1)
        {
            m_systemHeadersLength = 0;
            counter = 2;
        }
        if (m_systemHeadersLength + length + 6 > (int)sizeof(m_systemHeaders))
            break;
        const BYTE* whole = m_reader->Pointer(at, length + 6);
        if (!whole)
            return 0;
        memcpy(m_systemHeaders + m_systemHeadersLength, whole, length + 6);
        m_systemHeadersLength += length + 6;
        from = at + length + 6;
        if (counter++ >= 2)
            break;
    }
    if (m_systemHeadersLength == 0)
        return 0;

    if (!FindFirstAndLastGop())
        return 0;
    // The bytes before the first GOP's pack lack these headers: an output must have them written.
    m_systemHeaderPack = firstSystemHeader > m_dataStart ? 1 : 0;
    m_sequenceHeaderPack = sequence > m_dataStart ? 1 : 0;
    return 1;
}

int CMpeg1Stream::StartOutput(COutputFile* file, int* audioWait)
{
    if (audioWait)
        *audioWait = 1;
    if (!file || !m_reader)
        return 0;
    if (!CopyLeadIn(file))
        return 0;
    int systemHeaders = WriteSystemHeaderPacks(file);
    int sequenceHeader = WriteSequenceHeaderPack(file);
    return systemHeaders == 1 && sequenceHeader == 1;
}

int CMpeg1Stream::WriteSystemHeaderPacks(COutputFile* file)
{
    if (!file)
        return 0;
    if (!m_systemHeaderPack)
        return 1;
    const BYTE* first = m_reader ? m_reader->Pointer(m_dataStart, 12) : NULL;
    if (!first)
        return 0;
    std::vector<BYTE> pack;
    try
    {
        pack.assign(m_packSpacing, 0xFF);
    }
    catch (...)
    {
        return 0;
    }
    for (int at = 0; at + 6 <= m_systemHeadersLength;)
    {
        int length = ((m_systemHeaders[at + 4] << 8) | m_systemHeaders[at + 5]) + 6;
        if (12 + length + 7 > m_packSpacing)
            return 0;
        memset(pack.data(), 0xFF, pack.size());
        memcpy(pack.data(), first, 12);
        memcpy(pack.data() + 12, m_systemHeaders + at, length);
        MakePaddingPacket(pack.data(), 12 + length, m_packSpacing - 12 - length);
        if (!file->Write(pack.data(), m_packSpacing))
            return 0;
        at += length;
    }
    return 1;
}

int CMpeg1Stream::WriteSequenceHeaderPack(COutputFile* file)
{
    if (!file)
        return 0;
    if (!m_sequenceHeaderPack)
        return 1;
    const BYTE* first = m_reader ? m_reader->Pointer(m_dataStart, 12) : NULL;
    const int s = m_sequenceHeaderLength;
    if (!first || 19 + s + 7 > m_packSpacing)
        return 0;
    std::vector<BYTE> pack;
    try
    {
        pack.assign(m_packSpacing, 0xFF);
    }
    catch (...)
    {
        return 0;
    }
    BYTE* p = pack.data();
    memcpy(p, first, 12);
    p[12] = 0x00;
    p[13] = 0x00;
    p[14] = 0x01;
    p[15] = 0xE0;
    p[16] = (BYTE)((s + 1) >> 8);
    p[17] = (BYTE)(s + 1);
    p[18] = 0x0F;
    memcpy(p + 19, m_sequenceHeader, s);
    MakePaddingPacket(p, 19 + s, m_packSpacing - 19 - s);
    return file->Write(p, m_packSpacing) ? 1 : 0;
}

int CMpeg1Stream::ParsePackHeader()
{
    const BYTE* p = TakeBytes(12);
    if (!p || !IsPackHeader(p, 12))
        return 0;
    if (MatchBytes(kSystemHeaderCode, 4))
        return ParseSystemHeader();
    return 1;
}

int CMpeg1Stream::ParsePacket()
{
    const __int64 packet = m_cursor;
    const BYTE* p = TakeBytes(6);
    if (!p || memcmp(p, kPrefix, 3) != 0)
        return 0;
    const BYTE id = p[3];
    const int length = (p[4] << 8) | p[5];
    if (id == 0xBD || (id >= 0xC0 && id <= 0xEF))
    {
        const BYTE* b = TakeBytes(1);
        while (b && b[0] == 0xFF)
            b = TakeBytes(1);
        if (b && (b[0] & 0xC0) == 0x40)
        {
            if (!TakeBytes(1))
                return 0;
            b = TakeBytes(1);
        }
        if (!b)
            return 0;
        if ((b[0] & 0xF0) == 0x20)
        {
            if (!TakeBytes(4))
                return 0;
        }
        else if ((b[0] & 0xF0) == 0x30)
        {
            if (!TakeBytes(9))
                return 0;
        }
        else if (b[0] != 0x0F)
        {
            return 0;
        }
    }
    m_cursor = packet + 6 + length;
    return 1;
}
