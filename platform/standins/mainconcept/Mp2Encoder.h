#pragma once
#include <windows.h>
#include <vector>

// An MPEG-1 Layer II audio encoder: 16-bit PCM at 32, 44.1 or 48 kHz, one or
// two channels, in frames of 1152 samples. Subbands from a 512-tap
// cosine-modulated filter bank; bits go where the signal stands highest
// above the noise of its quantiser (no psychoacoustic model).
class CMp2Encoder
{
public:
    enum { FRAME_SAMPLES = 1152 };

    CMp2Encoder();

    // FALSE for a rate, channel count or bit rate (kbit/s) Layer II lacks.
    BOOL Init(DWORD dwSampleRate, int nChannels, int nKbps);
    // Appends the frames the samples complete to pOut.
    void Encode(const short* pSamples, DWORD dwFrames, std::vector<BYTE>& out);
    // The last samples, padded with silence to a whole frame.
    void Flush(std::vector<BYTE>& out);

    // Frames written so far.
    LONGLONG FramesOut() const { return m_llFrames; }
    DWORD SampleRate() const { return m_dwSampleRate; }

private:
    struct BitWriter;

    void EncodeFrame(std::vector<BYTE>& out);
    void Analyse(int nChannel, const float* pNew, float* pSubbands);

    DWORD m_dwSampleRate;
    int m_nChannels;
    int m_nKbps;
    int m_nRateIndex;
    int m_nTable;
    int m_nSubbands;
    DWORD m_dwSlack;  // padding accumulator, in sample-rate units
    LONGLONG m_llFrames;
    std::vector<float> m_pending[2];  // samples waiting for a whole frame
    float m_fifo[2][512];
    int m_fifoPos[2];
};
