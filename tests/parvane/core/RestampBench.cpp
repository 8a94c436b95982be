// Prints the speed of re-stamping a recording in memory, as the pause filter has it done for
// every delivered GOP: RestampBench.exe FILE [ROUNDS]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <fstream>
#include <iterator>
#include <vector>
#include "parvane/PackRestamper.h"
#include "tests/parvane/core/PackBuilder.h"

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        printf("usage: RestampBench FILE [ROUNDS]\n");
        return 2;
    }
    std::ifstream f(argv[1], std::ios::binary);
    std::vector<BYTE> source((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    int rounds = argc > 2 ? atoi(argv[2]) : 50;
    if (source.size() < 2048)
    {
        printf("cannot read %s\n", argv[1]);
        return 1;
    }
    int kind = (source[4] & 0xF0) == 0x20 ? 1 : 2;
    for (int lostB = 0; lostB <= 1; ++lostB)
    {
        CPackRestamper r(kind);
        r.Sequence().frameRate = 25.0;
        std::vector<BYTE> work = source;
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        double last = 0.0;
        long long packs = 0;
        for (int i = 0; i < rounds; ++i)
        {
            // Blocks of 64 KiB, cut at pack boundaries.
            CChunkList list;
            size_t at = 0;
            while (at < work.size())
            {
                size_t n = std::min<size_t>(65536, work.size() - at);
                list.Add(&work[at], (int)n);
                at += n;
            }
            int first = 1, mode = lostB;
            packs += r.RestampChunks(list.List(), &last, &mode, &first);
        }
        QueryPerformanceCounter(&t1);
        double seconds = (double)(t1.QuadPart - t0.QuadPart) / freq.QuadPart;
        double mb = (double)source.size() * rounds / 1e6;
        printf("re-stamping %s, lost-B %d: %.1f MB in %.3f s, %.0f MB/s, %lld packs\n", argv[1], lostB, mb, seconds,
               mb / seconds, packs);
    }
    return 0;
}
