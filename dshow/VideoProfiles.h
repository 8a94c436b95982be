#pragma once

#include <windows.h>

#include <stddef.h>

// The hardware MPEG encoder's profile file "video_profiles.txt": named
// stream, frame-rate, resolution and bit-rate configurations, checked,
// matched against the encoder's capability table (filled by its driver) and
// linked by the file's combination rules. The records below have the driver's
// byte layout.

enum
{
    PROFILE_NAME_SIZE = 64,
    PROFILE_DESC_SIZE = 256,
    PROFILE_MAX_RECORDS = 30,
    PROFILE_MAX_LINKS = 300,
};

// Kinds of configuration, as links name them.
enum
{
    CONFIG_KIND_STREAM = 1,
    CONFIG_KIND_RESOLUTION = 2,
    CONFIG_KIND_BITRATE = 3,
    CONFIG_KIND_FRAMERATE = 4,
};

// Any configuration of the kind, in a link.
const DWORD CONFIG_ID_ANY = 0xFFFFFFFF;

// Analog video standard masks.
enum
{
    PROFILE_STANDARD_NTSC = 0x807,
    PROFILE_STANDARD_PAL = 0x7F0,
};

// Results of the loader and of its section steps.
enum
{
    PROFILE_OK = 0,
    PROFILE_NO_FILE = 1,
    PROFILE_OUTSIDE_SECTION = 2,
    PROFILE_LINKS_FULL = 5,
    PROFILE_NO_MATCH = 24,
    PROFILE_UNKNOWN_STREAM_KEY = 26,
    PROFILE_UNKNOWN_BITRATE_KEY = 27,
    PROFILE_UNKNOWN_RESOLUTION_KEY = 28,
    PROFILE_UNKNOWN_FRAMERATE_KEY = 29,
    PROFILE_TOO_MANY = 37,
    PROFILE_NO_NAME = 38,
    PROFILE_DUPLICATE_NAME = 39,
    PROFILE_BAD_STANDARD = 41,
    PROFILE_NO_COMPRESS_MODE = 42,
    PROFILE_BAD_COMPRESS_MODE = 43,
    PROFILE_BAD_SEQUENCE = 44,
    PROFILE_BAD_MPEG4_MODE = 45,
    PROFILE_BAD_DEINTERLACE = 47,
    PROFILE_BAD_SEARCH_RANGE = 48,
    PROFILE_BAD_ASPECT_RATIO = 49,
    PROFILE_FRAMERATE_INCOMPLETE = 50,
    PROFILE_BITRATE_INCOMPLETE = 51,
    PROFILE_TARGET_ABOVE_PEAK = 53,
    PROFILE_BAD_CONVERGE_SPEED = 54,
    PROFILE_BAD_LAMBDA = 55,
    PROFILE_BAD_QUANTISERS = 56,
    PROFILE_RESOLUTION_INCOMPLETE = 57,
    PROFILE_BAD_SUB_WINDOW = 59,
    PROFILE_NO_MEMORY = 60,
    PROFILE_FORBIDDEN = 61,
    PROFILE_MALFORMED_IN_SECTION = 62,
};

#pragma pack(push, 1)

struct ConfigHeader
{
    char name[PROFILE_NAME_SIZE];
    char desc[PROFILE_DESC_SIZE];
    DWORD present;  // presence bits of the keys read
    DWORD reserved;
};

struct StreamConfig
{
    ConfigHeader header;
    DWORD compress_mode;    // 0x1
    DWORD sequence;         // 0x2
    BYTE gop_mode;          // 0x4
    BYTE reserved1[3];
    DWORD gop_size;         // 0x8
    BYTE mpeg4_mode;        // 0x10
    BYTE DVD_compliant;     // 0x400
    BYTE deinterlace_mode;  // 0x20
    BYTE search_range;      // 0x40
    BYTE gop_head_enable;   // 0x80
    BYTE seq_head_enable;   // 0x100
    BYTE aspect_ratio;      // 0x200
    BYTE reserved2[5];
};

struct FrameRateConfig
{
    ConfigHeader header;
    DWORD tv_standard;  // 0x8
    DWORD frame_rate;   // 0x1, frames per 1001 seconds
    DWORD drop_frame;   // 0x4
    BYTE ivtc_enable;   // 0x2
    BYTE reserved[7];
};

struct ResolutionConfig
{
    ConfigHeader header;
    DWORD tv_standard;  // 0x200
    DWORD width;        // 0x1
    DWORD height;       // 0x2
    BYTE h_sub_window;  // 0x4
    BYTE v_sub_window;  // 0x8
    BYTE reserved1[2];
    DWORD h_sub_offset;  // 0x1000
    DWORD v_sub_offset;  // 0x2000
    BYTE h_scale_enb;    // 0x4000
    BYTE v_scale_enb;    // 0x8000
    BYTE sub_sample;     // 0x100
    BYTE reserved2;
    DWORD max_bitrate;  // 0x400
    DWORD min_bitrate;  // 0x800
    DWORD reserved3;
};

struct BitrateConfig
{
    ConfigHeader header;
    DWORD target_bitrate;  // 0x4
    DWORD peak_bitrate;    // 0x8
    DWORD vbv_buffer;      // 0x10
    BYTE converge_speed;   // 0x20
    BYTE lambda;           // 0x40
    BYTE reserved1[2];
    DWORD Q;               // 0x80
    BYTE IQ;               // 0x200
    BYTE PQ;               // 0x400
    BYTE BQ;               // 0x800
    BYTE reserved2;
    // QMin bits 0-6, Duplicate bit 7, QMax bits 8-14, MBBrc bit 15, WindowSize bits 16-31.
    DWORD rate_control;
};

struct ConfigLink
{
    DWORD kindA;
    DWORD idA;
    DWORD kindB;
    DWORD idB;   // CONFIG_ID_ANY: any
    DWORD deny;  // low byte: 0 allows, nonzero forbids
};

struct ConfigCombination
{
    DWORD stream;
    DWORD resolution;
    DWORD framerate;
};

// The parsed file, as handed to the device.
struct VideoProfileTables
{
    DWORD streamCount;
    StreamConfig streams[PROFILE_MAX_RECORDS];
    DWORD streamIndex[PROFILE_MAX_RECORDS];  // capability-table position of each
    DWORD resolutionCount;
    ResolutionConfig resolutions[PROFILE_MAX_RECORDS];
    DWORD resolutionIndex[PROFILE_MAX_RECORDS];
    DWORD bitrateCount;
    BitrateConfig bitrates[PROFILE_MAX_RECORDS];
    DWORD reserved[PROFILE_MAX_RECORDS];
    DWORD framerateCount;
    FrameRateConfig framerates[PROFILE_MAX_RECORDS];
    DWORD framerateIndex[PROFILE_MAX_RECORDS];
};

// The encoder's capability table: the first 5764 bytes are the driver's own.
struct EncoderCapabilityTable
{
    BYTE driver[5764];
    DWORD streamCount;
    StreamConfig streams[PROFILE_MAX_RECORDS];
    DWORD resolutionCount;
    ResolutionConfig resolutions[PROFILE_MAX_RECORDS];
    DWORD framerateCount;
    FrameRateConfig framerates[PROFILE_MAX_RECORDS];
    DWORD linkCount;
    ConfigLink links[PROFILE_MAX_LINKS];
    DWORD combinationCount;
    ConfigCombination* combinations;
};

// A stream, a frame-rate and a resolution configuration, one after the other.
struct EncoderConfig
{
    StreamConfig stream;
    FrameRateConfig framerate;
    ResolutionConfig resolution;
};

#pragma pack(pop)

static_assert(sizeof(ConfigHeader) == 328, "name, description, presence bits");
static_assert(offsetof(StreamConfig, compress_mode) == 328 && offsetof(StreamConfig, sequence) == 332 &&
                  offsetof(StreamConfig, gop_mode) == 336 && offsetof(StreamConfig, gop_size) == 340 &&
                  offsetof(StreamConfig, mpeg4_mode) == 344 && offsetof(StreamConfig, DVD_compliant) == 345 &&
                  offsetof(StreamConfig, aspect_ratio) == 350 && sizeof(StreamConfig) == 356,
              "stream configuration");
static_assert(offsetof(FrameRateConfig, tv_standard) == 328 && offsetof(FrameRateConfig, frame_rate) == 332 &&
                  offsetof(FrameRateConfig, drop_frame) == 336 && offsetof(FrameRateConfig, ivtc_enable) == 340 &&
                  sizeof(FrameRateConfig) == 348,
              "frame-rate configuration");
static_assert(offsetof(ResolutionConfig, width) == 332 && offsetof(ResolutionConfig, h_sub_window) == 340 &&
                  offsetof(ResolutionConfig, h_sub_offset) == 344 && offsetof(ResolutionConfig, h_scale_enb) == 352 &&
                  offsetof(ResolutionConfig, sub_sample) == 354 && offsetof(ResolutionConfig, max_bitrate) == 356 &&
                  offsetof(ResolutionConfig, min_bitrate) == 360 && sizeof(ResolutionConfig) == 368,
              "resolution configuration");
static_assert(offsetof(BitrateConfig, target_bitrate) == 328 && offsetof(BitrateConfig, vbv_buffer) == 336 &&
                  offsetof(BitrateConfig, converge_speed) == 340 && offsetof(BitrateConfig, Q) == 344 &&
                  offsetof(BitrateConfig, IQ) == 348 && offsetof(BitrateConfig, rate_control) == 352 &&
                  sizeof(BitrateConfig) == 356,
              "bit-rate configuration");
static_assert(sizeof(ConfigLink) == 20 && sizeof(ConfigCombination) == 12, "link and combination");
static_assert(offsetof(VideoProfileTables, streams) == 4 && offsetof(VideoProfileTables, streamIndex) == 10684 &&
                  offsetof(VideoProfileTables, resolutionCount) == 10804 &&
                  offsetof(VideoProfileTables, resolutions) == 10808 &&
                  offsetof(VideoProfileTables, resolutionIndex) == 21848 &&
                  offsetof(VideoProfileTables, bitrateCount) == 21968 &&
                  offsetof(VideoProfileTables, bitrates) == 21972 && offsetof(VideoProfileTables, reserved) == 32652 &&
                  offsetof(VideoProfileTables, framerateCount) == 32772 &&
                  offsetof(VideoProfileTables, framerates) == 32776 &&
                  offsetof(VideoProfileTables, framerateIndex) == 43216 && sizeof(VideoProfileTables) == 43336,
              "profile tables");
static_assert(offsetof(EncoderCapabilityTable, streamCount) == 5764 &&
                  offsetof(EncoderCapabilityTable, streams) == 5768 &&
                  offsetof(EncoderCapabilityTable, resolutionCount) == 16448 &&
                  offsetof(EncoderCapabilityTable, resolutions) == 16452 &&
                  offsetof(EncoderCapabilityTable, framerateCount) == 27492 &&
                  offsetof(EncoderCapabilityTable, framerates) == 27496 &&
                  offsetof(EncoderCapabilityTable, linkCount) == 37936 &&
                  offsetof(EncoderCapabilityTable, links) == 37940 &&
                  offsetof(EncoderCapabilityTable, combinationCount) == 43940 &&
                  offsetof(EncoderCapabilityTable, combinations) == 43944,
              "capability table");

// Reads "video_profiles.txt" from the Windows folder into pTables, adding the
// file's links to the capability table. TRUE when the whole file loaded.
BOOL LoadVideoProfiles(EncoderCapabilityTable* pCaps, VideoProfileTables* pTables);
// The same from a file of the caller's choosing.
BOOL LoadVideoProfilesFrom(LPCSTR pszPath, EncoderCapabilityTable* pCaps, VideoProfileTables* pTables);
// The result code and line count of the last load.
int GetVideoProfileStatus(int* pnLine);

// Builds the capability table's combinations of stream, resolution and
// frame rate for one standard, as the links allow: PROFILE_OK when there is
// at least one, PROFILE_NO_MATCH when none, PROFILE_NO_MEMORY.
int BuildConfigCombinations(EncoderCapabilityTable* pCaps, DWORD dwUnused, DWORD dwStandard);
// Frees the combinations, for the table's owner when it is done with them.
void FreeConfigCombinations(EncoderCapabilityTable* pCaps);
// PROFILE_FORBIDDEN when a link forbids the pair {kind A, id A, kind B, id B}, else PROFILE_OK.
int CheckConfigLink(const EncoderCapabilityTable* pCaps, const DWORD* pQuery);

// Writes the 12-byte MPEG video sequence header of a configuration into a
// module-wide buffer and hands back its address; returns 12.
int BuildMpegSequenceHeader(const EncoderConfig* pConfig, const BYTE** ppHeader);
// A 32-bit value with its bytes in reverse order.
DWORD SwapByteOrder(DWORD dwValue);
