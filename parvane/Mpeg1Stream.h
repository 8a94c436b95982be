#pragma once

#include "parvane/MpegStream.h"

// MPEG-1 system stream handler (stream kind 1).
class CMpeg1Stream : public CMpegStream
{
public:
    explicit CMpeg1Stream(CMappedFile* reader);

    int StartOutput(COutputFile* file, int* audioWait) override;

    int ParsePackHeader() override;
    int ParsePacket() override;
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
