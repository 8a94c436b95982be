#include "parvane/PackLayout.h"

#include <string.h>

#include "parvane/MpegStream.h"
#include "parvane/PackRestamper.h"

BOOL IsVideoStream(BYTE id)
{
    return id >= 0xE0 && id <= 0xEF;
}

int PackHeaderLength(const BYTE* pack, int length, int kind)
{
    int n = 12;
    if (kind == 2)
    {
        if (length < 14)
            return -1;
        n = 14 + (pack[13] & 0x07);
    }
    if (n + 6 <= length && pack[n] == 0 && pack[n + 1] == 0 && pack[n + 2] == 1 && pack[n + 3] == 0xBB)
        n += 6 + ((pack[n + 4] << 8) | pack[n + 5]);
    return n <= length ? n : -1;
}

int PayloadOffset(const BYTE* pack, int p, int end, int kind)
{
    if (kind == 2)
    {
        if (p + 9 > end)
            return -1;
        int q = p + 9 + pack[p + 8];
        return q <= end ? q : -1;
    }
    int q = p + 6;
    while (q < end && pack[q] == 0xFF)
        ++q;
    if (q < end && (pack[q] & 0xC0) == 0x40)
        q += 2;
    if (q >= end)
        return -1;
    if ((pack[q] & 0xF0) == 0x20)
        q += 5;
    else if ((pack[q] & 0xF0) == 0x30)
        q += 10;
    else if (pack[q] == 0x0F)
        q += 1;
    else
        return -1;
    return q <= end ? q : -1;
}

int GopCut(const BYTE* pack, int payload, int end)
{
    int gop = CPackRestamper::FindStartCode(pack, payload, end, 0xB8);
    int seq = CPackRestamper::FindStartCode(pack, payload, gop >= 0 ? gop : end, 0xB3);
    return seq >= 0 ? seq : gop;
}

BOOL FindVideoCut(const BYTE* pack, int length, int kind, VideoCut* out)
{
    int p = PackHeaderLength(pack, length, kind);
    if (p < 0)
        return FALSE;
    while (p + 6 <= length)
    {
        if (!(pack[p] == 0 && pack[p + 1] == 0 && pack[p + 2] == 1) || pack[p + 3] == 0xBA)
            return FALSE;
        int end = p + 6 + ((pack[p + 4] << 8) | pack[p + 5]);
        if (end > length)
            end = length;
        if (IsVideoStream(pack[p + 3]))
        {
            int payload = PayloadOffset(pack, p, end, kind);
            if (payload < 0)
                return FALSE;
            int cut = GopCut(pack, payload, end);
            if (cut >= 0)
            {
                out->packet = p;
                out->payload = payload;
                out->end = end;
                out->cut = cut;
                return TRUE;
            }
        }
        p = end;
    }
    return FALSE;
}

void PutLength(BYTE* pack, int packet, int end)
{
    int n = end - packet - 6;
    pack[packet + 4] = (BYTE)(n >> 8);
    pack[packet + 5] = (BYTE)n;
}

void InsertStuffing(BYTE* pack, int packet, int payload, int until, int n, int kind)
{
    if (kind == 2)
    {
        memmove(pack + payload + n, pack + payload, until - payload);
        memset(pack + payload, 0xFF, n);
        pack[packet + 8] = (BYTE)(pack[packet + 8] + n);
    }
    else
    {
        memmove(pack + packet + 6 + n, pack + packet + 6, until - (packet + 6));
        memset(pack + packet + 6, 0xFF, n);
    }
}

void ClearStamps(BYTE* pack, int packet, int payload, int kind)
{
    if (kind == 2)
    {
        pack[packet + 7] = 0;
        memset(pack + packet + 9, 0xFF, payload - (packet + 9));
    }
    else
    {
        memset(pack + packet + 6, 0xFF, payload - (packet + 6));
        pack[payload - 1] = 0x0F;
    }
}

BOOL IsPackHeader(const BYTE* p, int available)
{
    if (available < 5 || p[0] != 0 || p[1] != 0 || p[2] != 1 || p[3] != 0xBA)
        return FALSE;
    // Each entry: byte, mask, value.
    static const BYTE kMpeg1[][3] = {{4, 0xF1, 0x21}, {6, 0x01, 0x01}, {8, 0x01, 0x01}, {9, 0x80, 0x80}, {11, 0x01, 0x01}};
    static const BYTE kMpeg2[][3] = {{4, 0xC4, 0x44}, {6, 0x04, 0x04}, {8, 0x04, 0x04}, {9, 0x01, 0x01}, {12, 0x03, 0x03}};
    const BYTE (*bits)[3] = (p[4] & 0xF0) == 0x20 ? kMpeg1 : kMpeg2;
    for (int i = 0; i < 5; ++i)
    {
        if (bits[i][0] < available && (p[bits[i][0]] & bits[i][1]) != bits[i][2])
            return FALSE;
    }
    return TRUE;
}

BOOL CloseVideoPacket(BYTE* pack, int length, int kind, const VideoCut& c)
{
    int rest = length - c.cut;
    if (rest > 0 && rest < 6 && kind == 2 && pack[c.packet + 8] + rest > 255)
        return FALSE;
    if (CPackRestamper::FindStartCode(pack, c.payload, c.cut, 0x00) < 0)
        ClearStamps(pack, c.packet, c.payload, kind);
    if (rest >= 6)
    {
        PutLength(pack, c.packet, c.cut);
        MakePaddingPacket(pack, c.cut, rest);
    }
    else
    {
        if (rest > 0)
            InsertStuffing(pack, c.packet, c.payload, c.cut, rest, kind);
        PutLength(pack, c.packet, length);
    }
    return TRUE;
}

void CloseCutPack(BYTE* pack, int length, int kind)
{
    int p = PackHeaderLength(pack, length, kind);
    if (p < 0)
    {
        // Not even the pack header is whole: no start code of it must stay.
        memset(pack, 0xFF, length);
        return;
    }
    while (p + 6 <= length)
    {
        if (pack[p] != 0 || pack[p + 1] != 0 || pack[p + 2] != 1 || pack[p + 3] < 0xBB)
            return;
        int end = p + 6 + ((pack[p + 4] << 8) | pack[p + 5]);
        if (end <= length)
        {
            p = end;
            continue;
        }
        if (IsVideoStream(pack[p + 3]))
        {
            int payload = PayloadOffset(pack, p, length, kind);
            if (payload >= 0 && payload < length)
            {
                VideoCut c = {p, payload, end, length};
                CloseVideoPacket(pack, length, kind, c);
                return;
            }
        }
        MakePaddingPacket(pack, p, length - p);
        return;
    }
    if (p < length)
        memset(pack + p, 0xFF, length - p);
}
