#pragma once

#include <windows.h>
#include <vector>
#include "parvane/MpegClock.h"
#include "parvane/ParvaneApi.h"

// Builds small program-stream packs byte by byte for the re-stamping tests.
class CPackBuilder
{
public:
    explicit CPackBuilder(int kind) : m_kind(kind) {}

    CPackBuilder& Pack(double scr)
    {
        size_t at = m_bytes.size();
        if (m_kind == 2)
        {
            static const BYTE h[14] = { 0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 0x01, 0x89, 0xC3, 0xF8 };
            m_bytes.insert(m_bytes.end(), h, h + 14);
            CMpegClock::WriteMpeg2Scr(&m_bytes[at], scr);
        }
        else
        {
            static const BYTE h[12] = { 0, 0, 1, 0xBA, 0x21, 0, 1, 0, 1, 0x80, 0x1B, 0x91 };
            m_bytes.insert(m_bytes.end(), h, h + 12);
            CMpegClock::WriteMpeg1Scr(&m_bytes[at], scr);
        }
        return *this;
    }

    // A PES packet; pts/dts below 0 are left out. Returns the offset of the packet.
    size_t Packet(BYTE id, const std::vector<BYTE>& payload, double pts = -1, double dts = -1)
    {
        size_t at = m_bytes.size();
        std::vector<BYTE> h;
        if (m_kind == 2)
        {
            BYTE flags = pts >= 0 ? (dts >= 0 ? 0xC0 : 0x80) : 0x00;
            h.push_back(0x81);
            h.push_back(flags);
            h.push_back((BYTE)(pts >= 0 ? (dts >= 0 ? 10 : 5) : 0));
        }
        if (pts >= 0)
        {
            BYTE s[5] = { (BYTE)(dts >= 0 ? 0x30 : 0x20), 0, 0, 0, 0 };
            CMpegClock::WriteStamp(s, pts);
            h.insert(h.end(), s, s + 5);
            if (dts >= 0)
            {
                BYTE t[5] = { 0x10, 0, 0, 0, 0 };
                CMpegClock::WriteStamp(t, dts);
                h.insert(h.end(), t, t + 5);
            }
        }
        else if (m_kind == 1)
            h.push_back(0x0F);
        int length = (int)(h.size() + payload.size());
        BYTE start[6] = { 0, 0, 1, id, (BYTE)(length >> 8), (BYTE)length };
        m_bytes.insert(m_bytes.end(), start, start + 6);
        m_bytes.insert(m_bytes.end(), h.begin(), h.end());
        m_bytes.insert(m_bytes.end(), payload.begin(), payload.end());
        return at;
    }

    CPackBuilder& Raw(const std::vector<BYTE>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::vector<BYTE>& Bytes() { return m_bytes; }

    // Payload helpers.
    static std::vector<BYTE> Picture(int type, int size)
    {
        std::vector<BYTE> p(size, 0x55);
        p[0] = 0; p[1] = 0; p[2] = 1; p[3] = 0x00;
        p[4] = 0x00;
        p[5] = (BYTE)(type << 3);
        return p;
    }
    static std::vector<BYTE> Gop(int h, int m, int s, int pictures, bool closed)
    {
        std::vector<BYTE> g = { 0, 0, 1, 0xB8, 0, 0, 0, 0 };
        g[4] = (BYTE)((h << 2) | (m >> 4));
        g[5] = (BYTE)(((m & 0x0F) << 4) | 0x08 | (s >> 3));
        g[6] = (BYTE)(((s & 7) << 5) | (pictures >> 1));
        g[7] = (BYTE)(((pictures & 1) << 7) | (closed ? 0x40 : 0));
        return g;
    }
    static std::vector<BYTE> Sequence(int width, int height, int rateCode)
    {
        std::vector<BYTE> s = { 0, 0, 1, 0xB3, (BYTE)(width >> 4), (BYTE)(((width & 15) << 4) | (height >> 8)),
                                (BYTE)height, (BYTE)(0x20 | rateCode), 0x0F, 0xFF, 0xF8, 0x00 };
        return s;
    }
    static std::vector<BYTE> Join(std::initializer_list<std::vector<BYTE>> parts)
    {
        std::vector<BYTE> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    }

private:
    int m_kind;
    std::vector<BYTE> m_bytes;
};

// A chunk list over caller-owned byte vectors, in the pause filter's layout.
class CChunkList
{
public:
    CChunkList() { InitMpegChunkList(&m_list, &m_head); }
    void Add(std::vector<BYTE>& bytes) { Add(bytes.data(), (int)bytes.size()); }
    void Add(BYTE* data, int length)
    {
        m_nodes.push_back(new MpegChunkNode());
        MpegChunkNode* n = m_nodes.back();
        n->chunk.data = data;
        n->chunk.length = length;
        AppendMpegChunk(&m_list, n);
    }
    ~CChunkList()
    {
        for (MpegChunkNode* n : m_nodes)
            delete n;
    }
    MpegChunkList* List() { return &m_list; }

private:
    MpegChunkList m_list;
    MpegChunkNode m_head;
    std::vector<MpegChunkNode*> m_nodes;
};
