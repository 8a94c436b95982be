#include "platform/standins/mainconcept/Mp2Encoder.h"

#include <math.h>
#include <string.h>

namespace
{
const double kPi = 3.14159265358979323846;

// Step counts an allocation code stands for (code 1 the first), per row of
// the allocation tables.
const int kStepsLow[] = { 3, 7, 15, 31, 63, 127, 255, 511, 1023, 2047, 4095, 8191, 16383, 32767, 65535 };
const int kStepsMid[] = { 3, 5, 7, 9, 15, 31, 63, 127, 255, 511, 1023, 2047, 4095, 8191, 65535 };
const int kStepsHigh[] = { 3, 5, 7, 9, 15, 31, 65535 };
const int kStepsTop[] = { 3, 5, 65535 };
const int kStepsNarrowLow[] = { 3, 5, 9, 15, 31, 63, 127, 255, 511, 1023, 2047, 4095, 8191, 16383, 32767 };
const int kStepsNarrowHigh[] = { 3, 5, 9, 15, 31, 63, 127 };

struct SubbandRow
{
    int nBits;  // allocation code width
    const int* pSteps;
};

// The allocation row of a subband in each of the four tables (wide for
// high rates, narrow for low ones).
SubbandRow RowOf(int nTable, int sb)
{
    if (nTable <= 1)
    {
        if (sb < 3)
            return { 4, kStepsLow };
        if (sb < 11)
            return { 4, kStepsMid };
        if (sb < 23)
            return { 3, kStepsHigh };
        return { 2, kStepsTop };
    }
    return sb < 2 ? SubbandRow{ 4, kStepsNarrowLow } : SubbandRow{ 3, kStepsNarrowHigh };
}

const int kSubbandLimit[4] = { 27, 30, 8, 12 };
const int kKbps[15] = { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };

// Bits for three samples of a quantiser: three levels share five bits, five
// seven, nine ten; the others take their width three times.
int TripleBits(int nSteps)
{
    switch (nSteps)
    {
    case 0: return 0;
    case 3: return 5;
    case 5: return 7;
    case 9: return 10;
    default:
    {
        int n = 0;
        while ((1 << n) < nSteps + 1)
            ++n;
        return 3 * n;
    }
    }
}

// Signal-to-noise ratio of a quantiser, in dB.
double QuantiserSnr(int nSteps)
{
    switch (nSteps)
    {
    case 0: return 0.0;
    case 3: return 7.00;
    case 5: return 11.00;
    case 7: return 16.00;
    case 9: return 20.84;
    default: return 6.02 * log2(static_cast<double>(nSteps + 1)) - 0.2;
    }
}

double ScaleFactor(int nIndex)
{
    return pow(2.0, 1.0 - nIndex / 3.0);
}

double BesselI0(double x)
{
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 50; ++k)
    {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

// The analysis window: a Kaiser-windowed low-pass centred on tap 256 whose
// response at a quarter of a subband's width is 3 dB down, so neighbouring
// bands add up to a flat response; signs flip every 64 taps as the
// modulation's phase requires.
struct AnalysisTables
{
    float window[512];
    float matrix[32][64];

    AnalysisTables()
    {
        double proto[512];
        double lo = 0.5 / 128, hi = 2.0 / 128;
        for (int iteration = 0; iteration < 60; ++iteration)
        {
            double cutoff = (lo + hi) / 2;
            Design(cutoff, proto);
            double h0 = Response(proto, 0.0), hEdge = Response(proto, 1.0 / 128);
            if (hEdge / h0 < sqrt(0.5))
                lo = cutoff;
            else
                hi = cutoff;
        }
        Design((lo + hi) / 2, proto);
        double h0 = Response(proto, 0.0);
        for (int n = 0; n < 512; ++n)
            window[n] = static_cast<float>(2.0 * proto[n] / h0 * ((n / 64) % 2 ? -1.0 : 1.0));
        for (int i = 0; i < 32; ++i)
        {
            for (int k = 0; k < 64; ++k)
                matrix[i][k] = static_cast<float>(cos((2 * i + 1) * (k - 16) * kPi / 64.0));
        }
    }

    static void Design(double cutoff, double* proto)
    {
        const double beta = 9.0;
        for (int n = 0; n < 512; ++n)
        {
            double t = n - 256.0;
            double r = t / 256.0;
            double w = BesselI0(beta * sqrt(1.0 - r * r)) / BesselI0(beta);
            double sinc = t == 0.0 ? 2.0 * cutoff : sin(2.0 * kPi * cutoff * t) / (kPi * t);
            proto[n] = w * sinc;
        }
    }

    static double Response(const double* proto, double f)
    {
        double sum = 0.0;
        for (int n = 0; n < 512; ++n)
            sum += proto[n] * cos(2.0 * kPi * f * (n - 256.0));
        return sum;
    }
};

const AnalysisTables& Tables()
{
    static const AnalysisTables tables;
    return tables;
}
}

struct CMp2Encoder::BitWriter
{
    std::vector<BYTE>& out;
    size_t start;
    int nBits;

    BitWriter(std::vector<BYTE>& o) : out(o), start(o.size()), nBits(0) {}

    void Put(DWORD dwValue, int n)
    {
        for (int i = n - 1; i >= 0; --i)
        {
            if (nBits % 8 == 0)
                out.push_back(0);
            if ((dwValue >> i) & 1)
                out.back() |= static_cast<BYTE>(0x80 >> (nBits % 8));
            ++nBits;
        }
    }
};

CMp2Encoder::CMp2Encoder()
    : m_dwSampleRate(0), m_nChannels(0), m_nKbps(0), m_nRateIndex(0), m_nTable(0), m_nSubbands(0), m_dwSlack(0),
      m_llFrames(0)
{
    memset(m_fifo, 0, sizeof(m_fifo));
    m_fifoPos[0] = m_fifoPos[1] = 0;
}

BOOL CMp2Encoder::Init(DWORD dwSampleRate, int nChannels, int nKbps)
{
    int nRateIndex = -1;
    if (dwSampleRate == 44100)
        nRateIndex = 0;
    else if (dwSampleRate == 48000)
        nRateIndex = 1;
    else if (dwSampleRate == 32000)
        nRateIndex = 2;
    int nKbpsIndex = 0;
    for (int i = 1; i < 15; ++i)
    {
        if (kKbps[i] == nKbps)
            nKbpsIndex = i;
    }
    if (nRateIndex < 0 || nKbpsIndex == 0 || (nChannels != 1 && nChannels != 2))
        return FALSE;
    // Layer II has no single channel above 192 kbit/s, nor two below 64 or at 80.
    if ((nChannels == 1 && nKbps > 192) || (nChannels == 2 && (nKbps < 64 || nKbps == 80)))
        return FALSE;
    int nPerChannel = nKbps / nChannels;
    if ((dwSampleRate == 48000 && nPerChannel >= 56) || (nPerChannel >= 56 && nPerChannel <= 80))
        m_nTable = 0;
    else if (dwSampleRate != 48000 && nPerChannel >= 96)
        m_nTable = 1;
    else if (dwSampleRate != 32000 && nPerChannel <= 48)
        m_nTable = 2;
    else
        m_nTable = 3;
    m_dwSampleRate = dwSampleRate;
    m_nChannels = nChannels;
    m_nKbps = nKbps;
    m_nRateIndex = nRateIndex;
    m_nSubbands = kSubbandLimit[m_nTable];
    m_dwSlack = 0;
    m_llFrames = 0;
    m_pending[0].clear();
    m_pending[1].clear();
    memset(m_fifo, 0, sizeof(m_fifo));
    m_fifoPos[0] = m_fifoPos[1] = 0;
    Tables();
    return TRUE;
}

void CMp2Encoder::Encode(const short* pSamples, DWORD dwFrames, std::vector<BYTE>& out)
{
    for (DWORD i = 0; i < dwFrames; ++i)
    {
        for (int ch = 0; ch < m_nChannels; ++ch)
            m_pending[ch].push_back(pSamples[i * m_nChannels + ch] / 32768.0f);
        if (m_pending[0].size() == FRAME_SAMPLES)
            EncodeFrame(out);
    }
}

void CMp2Encoder::Flush(std::vector<BYTE>& out)
{
    if (m_pending[0].empty())
        return;
    for (int ch = 0; ch < m_nChannels; ++ch)
        m_pending[ch].resize(FRAME_SAMPLES, 0.0f);
    EncodeFrame(out);
}

void CMp2Encoder::Analyse(int nChannel, const float* pNew, float* pSubbands)
{
    const AnalysisTables& tables = Tables();
    float* fifo = m_fifo[nChannel];
    int& pos = m_fifoPos[nChannel];
    // The newest sample is X[0]; X[i] sits at fifo[(pos + i) & 511].
    pos = (pos - 32) & 511;
    for (int i = 0; i < 32; ++i)
        fifo[(pos + i) & 511] = pNew[31 - i];
    float y[64];
    for (int k = 0; k < 64; ++k)
    {
        float sum = 0.0f;
        for (int j = 0; j < 8; ++j)
            sum += tables.window[k + 64 * j] * fifo[(pos + k + 64 * j) & 511];
        y[k] = sum;
    }
    for (int sb = 0; sb < 32; ++sb)
    {
        float sum = 0.0f;
        for (int k = 0; k < 64; ++k)
            sum += tables.matrix[sb][k] * y[k];
        pSubbands[sb] = sum;
    }
}

void CMp2Encoder::EncodeFrame(std::vector<BYTE>& out)
{
    // Subband samples: 36 per subband and channel.
    float subbands[2][32][36];
    for (int ch = 0; ch < m_nChannels; ++ch)
    {
        for (int t = 0; t < 36; ++t)
        {
            float s[32];
            Analyse(ch, &m_pending[ch][t * 32], s);
            for (int sb = 0; sb < 32; ++sb)
                subbands[ch][sb][t] = s[sb];
        }
        m_pending[ch].clear();
    }

    // One scale factor per subband and channel for the whole frame.
    int scf[2][32] = {};
    double level[2][32] = {};
    for (int ch = 0; ch < m_nChannels; ++ch)
    {
        for (int sb = 0; sb < m_nSubbands; ++sb)
        {
            float peak = 0.0f;
            for (int t = 0; t < 36; ++t)
                peak = fabsf(subbands[ch][sb][t]) > peak ? fabsf(subbands[ch][sb][t]) : peak;
            int index = 0;
            while (index < 62 && ScaleFactor(index + 1) >= peak)
                ++index;
            scf[ch][sb] = index;
            level[ch][sb] = peak > 1e-6f ? 20.0 * log10(ScaleFactor(index)) : -200.0;
        }
    }

    // Frame size: the bit rate's bytes per 1152 samples, a padding byte now
    // and then to keep the average exact.
    DWORD dwBytes = 144000u * m_nKbps / m_dwSampleRate;
    m_dwSlack += (144000u * m_nKbps) % m_dwSampleRate;
    BOOL bPadding = FALSE;
    if (m_dwSlack >= m_dwSampleRate)
    {
        m_dwSlack -= m_dwSampleRate;
        bPadding = TRUE;
        ++dwBytes;
    }

    int bitsLeft = static_cast<int>(dwBytes * 8) - 32;
    for (int sb = 0; sb < m_nSubbands; ++sb)
        bitsLeft -= RowOf(m_nTable, sb).nBits * m_nChannels;
    int alloc[2][32] = {};
    for (;;)
    {
        int bestCh = -1, bestSb = -1, bestCost = 0;
        double bestMargin = -1e9;
        for (int ch = 0; ch < m_nChannels; ++ch)
        {
            for (int sb = 0; sb < m_nSubbands; ++sb)
            {
                SubbandRow row = RowOf(m_nTable, sb);
                int code = alloc[ch][sb];
                if (code >= (1 << row.nBits) - 1 || level[ch][sb] < -150.0)
                    continue;
                int nNow = code == 0 ? 0 : row.pSteps[code - 1];
                int nNext = row.pSteps[code];
                int cost = (code == 0 ? 8 : 0) + 12 * (TripleBits(nNext) - TripleBits(nNow));
                double margin = level[ch][sb] - QuantiserSnr(nNow);
                if (cost <= bitsLeft && margin > bestMargin)
                {
                    bestMargin = margin;
                    bestCh = ch;
                    bestSb = sb;
                    bestCost = cost;
                }
            }
        }
        if (bestCh < 0)
            break;
        ++alloc[bestCh][bestSb];
        bitsLeft -= bestCost;
    }

    size_t start = out.size();
    BitWriter bits(out);
    bits.Put(0xFFF, 12);
    bits.Put(1, 1);  // MPEG-1
    bits.Put(2, 2);  // Layer II
    bits.Put(1, 1);  // no CRC
    int nKbpsIndex = 0;
    for (int i = 1; i < 15; ++i)
    {
        if (kKbps[i] == m_nKbps)
            nKbpsIndex = i;
    }
    bits.Put(nKbpsIndex, 4);
    bits.Put(m_nRateIndex, 2);
    bits.Put(bPadding ? 1 : 0, 1);
    bits.Put(0, 1);
    bits.Put(m_nChannels == 2 ? 0 : 3, 2);  // stereo or single channel
    bits.Put(0, 2);
    bits.Put(0, 4);  // copyright, original, emphasis
    for (int sb = 0; sb < m_nSubbands; ++sb)
    {
        for (int ch = 0; ch < m_nChannels; ++ch)
            bits.Put(alloc[ch][sb], RowOf(m_nTable, sb).nBits);
    }
    // One scale factor for all three parts.
    for (int sb = 0; sb < m_nSubbands; ++sb)
    {
        for (int ch = 0; ch < m_nChannels; ++ch)
        {
            if (alloc[ch][sb] != 0)
                bits.Put(2, 2);
        }
    }
    for (int sb = 0; sb < m_nSubbands; ++sb)
    {
        for (int ch = 0; ch < m_nChannels; ++ch)
        {
            if (alloc[ch][sb] != 0)
                bits.Put(scf[ch][sb], 6);
        }
    }
    for (int granule = 0; granule < 12; ++granule)
    {
        for (int sb = 0; sb < m_nSubbands; ++sb)
        {
            for (int ch = 0; ch < m_nChannels; ++ch)
            {
                int code = alloc[ch][sb];
                if (code == 0)
                    continue;
                int nSteps = RowOf(m_nTable, sb).pSteps[code - 1];
                double scale = ScaleFactor(scf[ch][sb]);
                int c[3];
                for (int k = 0; k < 3; ++k)
                {
                    double x = subbands[ch][sb][granule * 3 + k] / scale;
                    int q = static_cast<int>(floor((x * nSteps + nSteps - 1) / 2.0 + 0.5));
                    c[k] = q < 0 ? 0 : (q > nSteps - 1 ? nSteps - 1 : q);
                }
                if (nSteps == 3 || nSteps == 5 || nSteps == 9)
                {
                    bits.Put(c[0] + nSteps * (c[1] + nSteps * c[2]), TripleBits(nSteps));
                }
                else
                {
                    int n = TripleBits(nSteps) / 3;
                    for (int k = 0; k < 3; ++k)
                        bits.Put(c[k], n);
                }
            }
        }
    }
    out.resize(start + dwBytes, 0);
    ++m_llFrames;
}
