#pragma once

#include "parvane/MpegStream.h"

// MPEG-2 program stream handler (stream kind 2).
class CMpeg2Stream : public CMpegStream
{
public:
    explicit CMpeg2Stream(CMappedFile* reader);

    int StartOutput(COutputFile* file, int* audioWait) override;

    int ParsePackHeader() override;
    int ParsePacket() override;

private:
    int ScanFile();
    // Where the bytes before the first GOP carry no system header, a pack of its own with the
    // one of the first GOP's pack: an output that begins at a later GOP still opens with it.
    BOOL WriteSystemHeaderPack(COutputFile* file);
};
