#pragma once

#include "parvane/MpegStream.h"

// MPEG-2 program stream handler (stream kind 2).
class CMpeg2Stream : public CMpegStream
{
public:
    explicit CMpeg2Stream(CMappedFile* reader);

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

private:
    int ScanFile();
};
