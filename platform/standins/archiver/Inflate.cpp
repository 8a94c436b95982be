#include "platform/standins/archiver/Inflate.h"

namespace
{
enum { MAX_BITS = 15, MAX_LENGTH_CODES = 286, MAX_DISTANCE_CODES = 30, FIXED_LENGTH_CODES = 288 };

const unsigned short kLengthBase[29] = { 3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                         31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258 };
const unsigned short kLengthExtra[29] = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
const unsigned short kDistanceBase[30] = { 1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                           33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577 };
const unsigned short kDistanceExtra[30] = { 0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13 };
const unsigned char kCodeLengthOrder[19] = { 16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15 };

// A canonical Huffman code: how many codes of each length, and the symbols in code order.
struct Huffman
{
    short count[MAX_BITS + 1];
    short symbol[FIXED_LENGTH_CODES];
};

class BitReader
{
public:
    BitReader(const unsigned char* pData, size_t cbData) : m_pData(pData), m_cbData(cbData), m_pos(0), m_buffer(0), m_count(0), m_bFailed(false) {}

    int Bits(int need)
    {
        long value = m_buffer;
        while (m_count < need)
        {
            if (m_pos == m_cbData)
            {
                m_bFailed = true;
                return 0;
            }
            value |= static_cast<long>(m_pData[m_pos++]) << m_count;
            m_count += 8;
        }
        m_buffer = static_cast<int>(value >> need);
        m_count -= need;
        return static_cast<int>(value & ((1L << need) - 1));
    }
    void AlignToByte()
    {
        m_buffer = 0;
        m_count = 0;
    }
    bool Byte(unsigned char* pByte)
    {
        if (m_pos == m_cbData)
            return m_bFailed = true, false;
        *pByte = m_pData[m_pos++];
        return true;
    }
    bool Failed() const { return m_bFailed; }

private:
    const unsigned char* m_pData;
    size_t m_cbData;
    size_t m_pos;
    int m_buffer;
    int m_count;
    bool m_bFailed;
};

// 0 for a complete code, above 0 for an incomplete one, below 0 for an over-subscribed one.
int Build(Huffman& h, const short* pLengths, int n)
{
    for (int len = 0; len <= MAX_BITS; ++len)
        h.count[len] = 0;
    for (int s = 0; s < n; ++s)
        h.count[pLengths[s]]++;
    if (h.count[0] == n)
        return 0;
    int left = 1;
    for (int len = 1; len <= MAX_BITS; ++len)
    {
        left <<= 1;
        left -= h.count[len];
        if (left < 0)
            return left;
    }
    short offsets[MAX_BITS + 1];
    offsets[1] = 0;
    for (int len = 1; len < MAX_BITS; ++len)
        offsets[len + 1] = static_cast<short>(offsets[len] + h.count[len]);
    for (int s = 0; s < n; ++s)
    {
        if (pLengths[s] != 0)
            h.symbol[offsets[pLengths[s]]++] = static_cast<short>(s);
    }
    return left;
}

int Decode(BitReader& in, const Huffman& h)
{
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= MAX_BITS; ++len)
    {
        code |= in.Bits(1);
        if (in.Failed())
            return -1;
        int count = h.count[len];
        if (code - count < first)
            return h.symbol[index + (code - first)];
        index += count;
        first += count;
        first <<= 1;
        code <<= 1;
    }
    return -1;
}

bool Codes(BitReader& in, const Huffman& lengths, const Huffman& distances, std::vector<unsigned char>& out)
{
    for (;;)
    {
        int symbol = Decode(in, lengths);
        if (symbol < 0)
            return false;
        if (symbol < 256)
        {
            out.push_back(static_cast<unsigned char>(symbol));
            continue;
        }
        if (symbol == 256)
            return true;
        symbol -= 257;
        if (symbol >= 29)
            return false;
        size_t length = kLengthBase[symbol] + in.Bits(kLengthExtra[symbol]);
        int distanceSymbol = Decode(in, distances);
        if (distanceSymbol < 0 || distanceSymbol >= 30)
            return false;
        size_t distance = kDistanceBase[distanceSymbol] + in.Bits(kDistanceExtra[distanceSymbol]);
        if (in.Failed() || distance > out.size())
            return false;
        for (size_t i = 0; i < length; ++i)
            out.push_back(out[out.size() - distance]);
    }
}

bool Stored(BitReader& in, std::vector<unsigned char>& out)
{
    in.AlignToByte();
    unsigned char b[4];
    for (unsigned char& byte : b)
    {
        if (!in.Byte(&byte))
            return false;
    }
    unsigned length = b[0] | (b[1] << 8);
    if (static_cast<unsigned>(b[2] | (b[3] << 8)) != (~length & 0xFFFF))
        return false;
    while (length-- > 0)
    {
        unsigned char byte;
        if (!in.Byte(&byte))
            return false;
        out.push_back(byte);
    }
    return true;
}

bool Fixed(BitReader& in, std::vector<unsigned char>& out)
{
    static Huffman lengths, distances;
    static bool bBuilt = false;
    if (!bBuilt)
    {
        short codeLengths[FIXED_LENGTH_CODES];
        int s = 0;
        for (; s < 144; ++s)
            codeLengths[s] = 8;
        for (; s < 256; ++s)
            codeLengths[s] = 9;
        for (; s < 280; ++s)
            codeLengths[s] = 7;
        for (; s < FIXED_LENGTH_CODES; ++s)
            codeLengths[s] = 8;
        Build(lengths, codeLengths, FIXED_LENGTH_CODES);
        for (s = 0; s < MAX_DISTANCE_CODES; ++s)
            codeLengths[s] = 5;
        Build(distances, codeLengths, MAX_DISTANCE_CODES);
        bBuilt = true;
    }
    return Codes(in, lengths, distances, out);
}

bool Dynamic(BitReader& in, std::vector<unsigned char>& out)
{
    int nLengths = in.Bits(5) + 257;
    int nDistances = in.Bits(5) + 1;
    int nCodes = in.Bits(4) + 4;
    if (in.Failed() || nLengths > MAX_LENGTH_CODES || nDistances > MAX_DISTANCE_CODES)
        return false;
    short codeLengths[MAX_LENGTH_CODES + MAX_DISTANCE_CODES] = {};
    int index = 0;
    for (; index < nCodes; ++index)
        codeLengths[kCodeLengthOrder[index]] = static_cast<short>(in.Bits(3));
    for (; index < 19; ++index)
        codeLengths[kCodeLengthOrder[index]] = 0;
    Huffman lengths, distances;
    if (in.Failed() || Build(lengths, codeLengths, 19) != 0)
        return false;

    index = 0;
    while (index < nLengths + nDistances)
    {
        int symbol = Decode(in, lengths);
        if (symbol < 0)
            return false;
        if (symbol < 16)
        {
            codeLengths[index++] = static_cast<short>(symbol);
            continue;
        }
        short repeated = 0;
        int times;
        if (symbol == 16)
        {
            if (index == 0)
                return false;
            repeated = codeLengths[index - 1];
            times = 3 + in.Bits(2);
        }
        else if (symbol == 17)
            times = 3 + in.Bits(3);
        else
            times = 11 + in.Bits(7);
        if (in.Failed() || index + times > nLengths + nDistances)
            return false;
        while (times-- > 0)
            codeLengths[index++] = repeated;
    }
    if (codeLengths[256] == 0)
        return false;
    int left = Build(lengths, codeLengths, nLengths);
    if (left < 0 || (left > 0 && nLengths - lengths.count[0] != 1))
        return false;
    left = Build(distances, codeLengths + nLengths, nDistances);
    if (left < 0 || (left > 0 && nDistances - distances.count[0] != 1))
        return false;
    return Codes(in, lengths, distances, out);
}
} // namespace

bool InflateRaw(const unsigned char* pData, size_t cbData, std::vector<unsigned char>& out)
{
    BitReader in(pData, cbData);
    int last;
    do
    {
        last = in.Bits(1);
        int type = in.Bits(2);
        if (in.Failed())
            return false;
        bool bOk = type == 0 ? Stored(in, out) : type == 1 ? Fixed(in, out) : type == 2 ? Dynamic(in, out) : false;
        if (!bOk)
            return false;
    } while (!last);
    return true;
}
