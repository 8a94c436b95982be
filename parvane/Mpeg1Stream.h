#pragma once

#include "parvane/MpegStream.h"

// MPEG-1 system stream handler (stream kind 1).
class CMpeg1Stream : public CMpegStream
{
public:
    explicit CMpeg1Stream(CMappedFile* reader);

    double GetPackScr(const BYTE* pack) override;
    double GetGopTime(const BYTE* gop) override;
    void SetGopTime(BYTE* gop, double seconds) override;
    void SetPackScr(BYTE* pack, double seconds) override;
    void ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info) override;
    __int64 FindGopNear(__int64 position, double* time, int forward) override;
    int StartOutput(COutputFile* file, int* audioWait) override;
    void ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait) override;
    BOOL WriteRange(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file) override;
    BOOL WriteClipSegment(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file,
                          double total, MpegProgressProc progress) override;
    __int64 TimeToPosition(double* seconds, int mode) override;

    BOOL ReadNextPack(__int64* start, __int64* end, double* scr) override;
    int ParsePack();
    int ParsePackHeader();
    int ParseSystemHeader();
    int ParsePacket();
    int WriteSystemHeaderPacks(COutputFile* file);
    int WriteSequenceHeaderPack(COutputFile* file);

    int GetPackSize() const { return m_packSpacing; }
    int GetSequenceHeaderLength() const { return m_sequenceHeaderLength; }
    const BYTE* GetSequenceHeaderCopy() const { return m_sequenceHeader; }
    int GetSystemHeadersLength() const { return m_systemHeadersLength; }
    const BYTE* GetSystemHeadersCopy() const { return m_systemHeaders; }
    int HasSystemHeaderPack() const { return m_systemHeaderPack; }
    int HasSequenceHeaderPack() const { return m_sequenceHeaderPack; }

private:
    int ScanFile();

    BYTE m_sequenceHeader[1024];
    int m_sequenceHeaderLength;
    BYTE m_systemHeaders[512];
    int m_systemHeadersLength;
};
