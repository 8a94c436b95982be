#include "hollit/StartCodeSearch.h"

#include <cstring>
#include <vector>

const BYTE kPackHeaderCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kGopHeaderCode[4] = {0x00, 0x00, 0x01, 0xB8};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};

static bool MatchesAt(const BYTE* p, const BYTE code[4])
{
    return p[0] == code[0] && p[1] == code[1] && p[2] == code[2] && p[3] == code[3];
}

int FindStartCodeForward(const BYTE* data, int length, const BYTE code[4])
{
    if (data == nullptr || code == nullptr)
        return -1;
    for (int i = 0; i <= length - 4; ++i) {
        if (MatchesAt(data + i, code))
            return i;
    }
    return -1;
}

int FindStartCodeBackward(const BYTE* data, int n, const BYTE code[4])
{
    if (data == nullptr || code == nullptr)
        return -1;
    for (int i = n - 4; i >= 0; --i) {
        if (MatchesAt(data + i, code))
            return i;
    }
    return -1;
}

int FindStartCodePrefix(const BYTE* data, int from, int length)
{
    if (data == nullptr)
        return -1;
    // Every byte of the recording passes through here: memchr finds the 01 of each candidate.
    for (int i = (from < 0 ? 0 : from) + 2; i < length;) {
        const void* one = memchr(data + i, 0x01, static_cast<size_t>(length - i));
        if (one == nullptr)
            return -1;
        i = static_cast<int>(static_cast<const BYTE*>(one) - data);
        if (data[i - 1] == 0 && data[i - 2] == 0)
            return i - 2;
        ++i;
    }
    return -1;
}

int CountPatternMatches(const BYTE* data, int length, const BYTE* pattern, int patternLength)
{
    if (data == nullptr || pattern == nullptr || patternLength <= 0 || length < patternLength)
        return 0;

    std::vector<int> border(patternLength, 0);
    for (int i = 1, k = 0; i < patternLength; ++i) {
        while (k > 0 && pattern[i] != pattern[k])
            k = border[k - 1];
        if (pattern[i] == pattern[k])
            ++k;
        border[i] = k;
    }

    int count = 0;
    for (int i = 0, k = 0; i < length; ++i) {
        while (k > 0 && data[i] != pattern[k])
            k = border[k - 1];
        if (data[i] == pattern[k])
            ++k;
        if (k == patternLength) {
            ++count;
            // The next search starts one byte after this match, so overlapping matches count.
            k = border[k - 1];
        }
    }
    return count;
}
