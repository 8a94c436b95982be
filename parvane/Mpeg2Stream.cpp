#include "parvane/Mpeg2Stream.h"

#include <string.h>

#include "parvane/MappedFile.h"
#include "parvane/OutputFile.h"
#include "parvane/PackLayout.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};
const BYTE kPrefix[3] = {0x00, 0x00, 0x01};

} // namespace

CMpeg2Stream::CMpeg2Stream(CMappedFile* reader)
    : CMpegStream(reader, 2)
{
    m_valid = m_restamper ? ScanFile() : 0;
}

int CMpeg2Stream::ScanFile()
{
    if (!m_reader)
        return 0;
    m_fileSize = m_reader->GetFileSize();
    if (ReadSequenceHeader() < 0)
        return 0;
    return FindFirstAndLastGop() ? 1 : 0;
}

int CMpeg2Stream::StartOutput(COutputFile* file, int* audioWait)
{
    if (audioWait)
        *audioWait = 1;
    if (!file || !m_reader)
        return 0;
    if (m_dataStart <= 0)
        return WriteSystemHeaderPack(file) ? 1 : 0;
    // Audio already carried before the first GOP means the output starts on audio frames.
    for (__int64 at = 0; at < m_dataStart;)
    {
        __int64 found = m_reader->PositionOf(m_reader->FindForward(kPrefix, at, 3));
        if (found < 0 || found >= m_dataStart)
            break;
        const BYTE* id = m_reader->Pointer(found + 3, 1);
        if (id && (id[0] == 0xC0 || id[0] == 0xD0))
        {
            if (audioWait)
                *audioWait = 0;
            break;
        }
        at = found + 4;
    }
    return CopyLeadIn(file) && WriteSystemHeaderPack(file) ? 1 : 0;
}

BOOL CMpeg2Stream::WriteSystemHeaderPack(COutputFile* file)
{
    __int64 from = FirstValidPack(m_dataStart + 1);
    if (from < 0)
        return TRUE;
    const __int64 found = m_reader->PositionOf(m_reader->FindForward(kSystemHeaderCode, from, 4));
    if (found >= 0 && found < m_dataStart)
        return TRUE;
    // The system header follows the pack header (and its stuffing) of the first GOP's pack.
    const BYTE* pack = m_reader->Pointer(m_dataStart, 14);
    if (!pack || !IsPackHeader(pack, 14))
        return TRUE;
    const int header = 14 + (pack[13] & 0x07);
    const BYTE* system = m_reader->Pointer(m_dataStart + header, 6);
    if (!system || memcmp(system, kSystemHeaderCode, 4) != 0)
        return TRUE;
    const int length = ((system[4] << 8) | system[5]) + 6;
    system = m_reader->Pointer(m_dataStart + header, length);
    const int size = 2048;
    if (!system || 14 + length + 6 > size)
        return TRUE;
    BYTE out[size];
    memcpy(out, pack, 14);
    out[13] = (BYTE)(out[13] & 0xF8);
    memcpy(out + 14, system, length);
    MakePaddingPacket(out, 14 + length, size - 14 - length);
    return file->Write(out, size);
}

int CMpeg2Stream::ParsePackHeader()
{
    const BYTE* p = TakeBytes(14);
    if (!p || !IsPackHeader(p, 14))
        return 0;
    int stuffing = p[13] & 0x07;
    for (int i = 0; i < stuffing; ++i)
    {
        const BYTE* b = TakeBytes(1);
        if (!b || b[0] != 0xFF)
            return 0;
    }
    if (MatchBytes(kSystemHeaderCode, 4))
        return ParseSystemHeader();
    return 1;
}

int CMpeg2Stream::ParsePacket()
{
    const __int64 packet = m_cursor;
    const BYTE* p = TakeBytes(6);
    if (!p || memcmp(p, kPrefix, 3) != 0)
        return 0;
    const BYTE id = p[3];
    const int length = (p[4] << 8) | p[5];
    if (!(id == 0xBD || (id >= 0xC0 && id <= 0xEF)))
    {
        m_cursor = packet + 6 + length;
        return 1;
    }
    const BYTE* h = TakeBytes(3);
    if (!h)
        return 0;
    const BYTE flags = h[1];
    const int headerLength = h[2];
    const __int64 fields = m_cursor;
    if ((flags & 0xC0) == 0x80 && !TakeBytes(5))
        return 0;
    if ((flags & 0xC0) == 0xC0 && !TakeBytes(10))
        return 0;
    if (!(flags & 0x38))
    {
        if ((flags & 0x04) && !TakeBytes(1))
            return 0;
        if (!(flags & 0x02) && (flags & 0x01))
        {
            const BYTE* ext = TakeBytes(1);
            if (!ext)
                return 0;
            const BYTE extFlags = ext[0];
            if ((extFlags & 0x80) && !TakeBytes(16))
                return 0;
            if (extFlags & 0x40)
            {
                const BYTE* n = TakeBytes(1);
                if (!n || (n[0] && !TakeBytes(n[0])))
                    return 0;
            }
        }
    }
    const int payload = length - headerLength - 3;
    m_cursor = fields + headerLength;
    if (payload <= 0 || !TakeBytes(payload))
        return 0;
    return 1;
}
