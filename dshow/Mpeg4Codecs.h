#pragma once

#include "dshow/VfwCodecFilter.h"

// The three MPEG-4 video compressors, found by the video compressor
// category and their friendly names; everything comes from the codec wrapper.
class CMpeg4CodecV1 : public CVfwCodecFilter
{
public:
    using CVfwCodecFilter::CVfwCodecFilter;
};

class CMpeg4CodecV2 : public CVfwCodecFilter
{
public:
    using CVfwCodecFilter::CVfwCodecFilter;
};

class CMpeg4CodecV3 : public CVfwCodecFilter
{
public:
    using CVfwCodecFilter::CVfwCodecFilter;
};
