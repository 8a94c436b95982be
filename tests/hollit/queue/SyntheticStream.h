#pragma once

#include <windows.h>

#include <vector>

// A program stream shaped like an encoder's: fixed-size packs, each group of pictures opening with a
// pack whose payload holds a GOP header. Payload bytes never form a start code.
struct SyntheticStream
{
    std::vector<BYTE> bytes;
    std::vector<int> gopPackStart;  // offset of the pack header that precedes each GOP header
    std::vector<int> gopCode;       // offset of each GOP header
    int leadEnd = 0;                // end of the packs before the first group
    std::vector<int> sequencePack;  // with sequenceBefore: [g] the pack where GOP g + 1's sequence header begins

    // leadPacks packs without a GOP header come first; the very first pack carries a system header
    // when systemHeader is set. gopCodeOffset is where the GOP header sits inside its pack.
    // sequenceBefore: the sequence header that leads each GOP (but the first) begins at the end
    // of the pack before, as some encoders write it.
    static SyntheticStream Make(int leadPacks, int gops, int packsPerGop, int packSize, bool systemHeader,
                                int gopCodeOffset = 40, bool sequenceBefore = false)
    {
        SyntheticStream s;
        int packIndex = 0;
        auto addPack = [&](bool withSystemHeader, bool withGop) {
            const int start = static_cast<int>(s.bytes.size());
            std::vector<BYTE> pack(packSize);
            for (int i = 0; i < packSize; ++i)
                pack[i] = static_cast<BYTE>(0x10 + (packIndex * 7 + i) % 200);
            const BYTE header[14] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x89, 0xC3, 0xF8};
            memcpy(pack.data(), header, 14);
            if (withSystemHeader) {
                const BYTE sys[6] = {0x00, 0x00, 0x01, 0xBB, 0x00, 0x0C};
                memcpy(pack.data() + 14, sys, 6);
            }
            if (withGop) {
                const BYTE gop[4] = {0x00, 0x00, 0x01, 0xB8};
                memcpy(pack.data() + gopCodeOffset, gop, 4);
                s.gopPackStart.push_back(start);
                s.gopCode.push_back(start + gopCodeOffset);
            }
            s.bytes.insert(s.bytes.end(), pack.begin(), pack.end());
            ++packIndex;
        };
        for (int i = 0; i < leadPacks; ++i)
            addPack(systemHeader && i == 0, false);
        s.leadEnd = static_cast<int>(s.bytes.size());
        for (int g = 0; g < gops; ++g) {
            for (int p = 0; p < packsPerGop; ++p)
                addPack(systemHeader && leadPacks == 0 && g == 0 && p == 0, p == 0);
            if (sequenceBefore && g + 1 < gops) {
                const BYTE sequence[4] = {0x00, 0x00, 0x01, 0xB3};
                memcpy(s.bytes.data() + s.bytes.size() - 4, sequence, 4);
                s.sequencePack.push_back(static_cast<int>(s.bytes.size()) - packSize);
            }
        }
        return s;
    }

    std::vector<BYTE> Range(int from, int to) const
    {
        return std::vector<BYTE>(bytes.begin() + from, bytes.begin() + to);
    }
    // The bytes of GOPs first .. last - 1, from the pack before one GOP header to the pack before the next.
    std::vector<BYTE> Gops(int first, int last) const
    {
        const int to = last < static_cast<int>(gopPackStart.size()) ? gopPackStart[last] : static_cast<int>(bytes.size());
        return Range(gopPackStart[first], to);
    }
};
