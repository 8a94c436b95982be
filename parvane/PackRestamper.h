#pragma once

#include <windows.h>
#include <vector>
#include "parvane/ParvaneApi.h"

// Rewrites the time stamps of MPEG-1 system and MPEG-2 program stream packs in place, so that
// the stream's clock continues from a chosen time: the pack SCR, the PTS, DTS and ESCR of
// every packet, the GOP time codes of the video and the times of DVD navigation packets. In
// lost-B mode it also removes the B pictures that follow the first I picture of a resumed
// recording (they refer to a picture that was never delivered).
//
// Each stream handler of the editor owns one and delegates its time-stamp operations to it;
// the chunk lists of the pause filter (ordinal 17) go through the editor's current handler's.
class CPackRestamper
{
public:
    explicit CPackRestamper(int kind);
    virtual ~CPackRestamper();

    int GetKind() const { return m_kind; }

    MpegSequenceInfo& Sequence() { return m_sequence; }
    const MpegSequenceInfo& Sequence() const { return m_sequence; }
    BOOL HasSequenceInfo() const;
    // header points at 00 00 01 B3 with at least 12 bytes behind it.
    void ParseSequenceHeader(const BYTE* header);

    int GetLostBMode() const { return m_lostBMode; }
    // Arms lost-B mode afresh: the next I picture is the one whose B pictures are dropped.
    void SetLostBMode(int mode)
    {
        m_lostBMode = mode;
        m_lostBIPassed = FALSE;
    }
    int GetBDropping() const { return m_bDropping; }
    void SetBDropping(int dropping) { m_bDropping = dropping; }

    // pack points at 00 00 01 BA (10 bytes readable for MPEG-2, 9 for MPEG-1).
    double GetPackScr(const BYTE* pack) const;
    // Also remembered as the last SCR written (see LimitOffset).
    void SetPackScr(BYTE* pack, double seconds);
    // gop points at 00 00 01 B8 with 8 bytes readable.
    double GetGopTime(const BYTE* gop) const;
    void SetGopTime(BYTE* gop, double seconds) const;

    // Moves every time stamp of one pack back by `offset` seconds. gopMark: the next GOP
    // header met is the first of the output (cleared when met). audioWait: the audio before
    // the first MPEG audio frame header is not wanted (cut; cleared at the first header).
    void ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait);

    // Notes what a pack written without a shift holds (the pictures and audio frames), as
    // ShiftPackTimes does, so that a later time base goes on after it; audio that a new time
    // base cuts (ends of frames not written, sound behind the seam) is cut here too.
    void TrackPack(BYTE* pack, int length);

    // On a new time base: pads the first pack's video bytes before its sequence or GOP header.
    void TrimOpeningPack(BYTE* pack, int length);

    // The next pack in buffer[start, end): on success start/end delimit it.
    static BOOL NextPack(const BYTE* buffer, int* start, int* end);
    // Position of the start code 00 00 01 code wholly inside b[from, to), or -1.
    static int FindStartCode(const BYTE* b, int from, int to, BYTE code);

    // Re-stamps a chunk list in place; the number of packs re-stamped. With *first set the
    // list starts a new time base at *lastTime, though never behind what was written before.
    // *first == kClosingChunks: the chunks follow the last ones but lie beyond a cut (see
    // ClosePack); the number of packs that keep anything is returned, and *first becomes 0 once
    // nothing is open any more.
    int RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first);
    static const int kClosingChunks = 2;

    // After data that a gap follows: what comes behind the cut only finishes the picture and
    // the audio frames that were left open; all else becomes padding. ClosePack trims one pack
    // in place, moving the stamps of what it keeps back by `offset` (its SCR is the caller's),
    // and says whether it keeps anything.
    void BeginClosing();
    BOOL ClosePack(BYTE* pack, int length, double offset);
    BOOL ClosingDone() const;
    BOOL IsClosing() const { return m_closing; }
    // A new time base begins: each audio stream's first packet loses the bytes before its first
    // frame header, but for the bytes that a frame left open still takes.
    void OpenTimeBase();

    // Kind of the pack at 00 00 01 BA (5 bytes readable): 1 MPEG-1, 2 MPEG-2, 0 other.
    static int PackKind(const BYTE* pack);
    // Kind of the first chunk that begins with a pack header: 1, 2, or 0 for none/unknown.
    static int DetectChunkKind(const MpegChunkList* list);
    // Fills the sequence information from the first sequence header in the video of the
    // chunks' packs; TRUE when the information is then complete.
    BOOL TakeSequenceFrom(const MpegChunkList* list);
    // Gathers the video payload bytes of the packs in data[0, length) into `video` until it holds
    // a whole sequence header (the header may run across packets and packs); its offset in
    // `video`, or -1 while there is none yet. Call again with the next bytes to go on.
    int CollectSequenceHeader(const BYTE* data, int length, std::vector<BYTE>& video);

    // The offset kept from the start of the last time base (one per process).
    static double GetSharedOffset() { return s_offset; }
    static void SetSharedOffset(double offset) { s_offset = offset; }

    // What has been written so far: a new time base must not go back behind it.
    void ForgetHistory();
    BOOL HasHistory() const { return m_haveLastScr; }
    double LastScr() const { return m_lastScr; }
    double NextVideoTime() const { return m_nextVideo; }
    // The offset of a new time base: the first video decode time on the next free picture
    // slot after what was written, but never a first pack SCR behind the last one written; or,
    // without pictures to go by, the pack SCR at least `minScrStep` after the last one. `firstScr` is the SCR of the first pack of the new data.
    // Call ScanFirstStamps over the new data (restart on the first call) before LimitOffset.
    void ScanFirstStamps(const BYTE* data, int length, BOOL restart);
    double LimitOffset(double offset, double firstScr, double minScrStep) const;
    // A new time base with this offset follows what was written (after LimitOffset).
    void StartTimeBase(double offset);
    // An output's first data: its audio begins with its first picture (after StartTimeBase).
    void HoldAudioUntilPictures();
    // The SCR to write for a pack: `wanted`, unless the data after a new time base has not
    // caught up with the SCRs written before it; then the last SCR plus the time the pack's
    // bytes take at its mux rate.
    double NextScr(const BYTE* pack, int length, double wanted);
    // The SCR for a pack that a closing keeps: as NextScr, but never further than the pack's own
    // time after the last SCR written.
    double ClosingScr(const BYTE* pack, int length, double wanted);

    // Seconds between two re-stamped ranges and the step of a re-based chunk list.
    static const double kSeamStep;

private:
    struct PesHeader
    {
        int start;          // 00 00 01 xx
        int payload;        // first payload byte
        int end;            // packet end, within the pack
        int pts;            // offset of the PTS field or -1
        int dts;            // offset of the DTS field or -1
        int escr;           // offset of the ESCR field or -1
    };
    struct StreamTrack
    {
        BOOL valid;         // next is known
        double next;        // earliest time for the next frame of the stream
        double frame;       // frame duration of the stream
        int carry;          // bytes of the current audio frame still to come, -1 unknown
        int lastLength;     // length of the last audio frame met
        double first;       // first stamp met by a pre-scan
        BOOL haveFirst;
        BOOL seam;          // a new time base began; the stream has not yet moved past it
        BOOL dropping;      // audio behind the seam is being dropped
        double dropNext;    // while dropping: the time of the next frame
        int dropSkip;       // while dropping: bytes of the next packet before that frame
        BOOL opening;       // no packet of the stream since the new time base began
        int owed;           // bytes at the front of that packet that finish an open frame
        BYTE header[3];     // the stream's frame header as last met (valid when haveHeader)
        BOOL haveHeader;
    };

    int PackHeaderLength(const BYTE* pack, int length) const;
    // Seconds the pack's bytes take at its mux rate.
    double PackDuration(const BYTE* pack, int length) const;
    static int WalkPackets(const BYTE* buffer, int pack, int end);
    BOOL ParsePes(BYTE* pack, int p, int end, PesHeader* h) const;
    void ShiftStamps(BYTE* pack, const PesHeader& h, double offset) const;
    void ShiftNavPacket(BYTE* pack, int p, int end, double offset);
    void VideoPacket(BYTE* pack, PesHeader& h, double offset, int* gopMark);
    BOOL DropPictures(BYTE* pack, PesHeader& h, int* pictures);
    BOOL CutPayload(BYTE* pack, PesHeader& h, const int (*drops)[2], int dropCount, BOOL dropStamps);
    void MakePadding(BYTE* pack, int p, int end) const;
    void RemoveStamps(BYTE* pack, PesHeader& h) const;
    void GopStep(BYTE* pack, const PesHeader& h, int gop, double offset, int* gopMark, int lostBMode);
    void TrackVideo(const BYTE* pack, const PesHeader& h, int pictures);
    void TrackAudio(const BYTE* pack, const PesHeader& h, int key);
    // An audio packet whose stamps are in place: opened after a new time base, dropped while
    // behind the seam, then followed.
    void AudioPacket(BYTE* pack, PesHeader& h);
    BOOL DropAudioBehindSeam(BYTE* pack, PesHeader& h, int key, int keep);
    // The first packet of a stream after a new time base; TRUE when it became padding.
    BOOL OpenAudio(BYTE* pack, PesHeader& h, int key, int* kept);
    static int AudioKey(const BYTE* pack, const PesHeader& h);
    // The first MPEG audio frame header of the stream in p[from, n): one like the stream's
    // headers so far, and followed by another where the frame ends inside p; -1 when none.
    // Bytes of audio data can look like a header; these two tests tell them apart.
    int FindFrameStart(int key, const BYTE* p, int from, int n) const;
    double FrameDuration() const;
    template <class Visit> void ForEachPacket(BYTE* pack, int length, Visit visit);

    int m_kind;
    MpegSequenceInfo m_sequence;
    int m_lostBMode;
    int m_bDropping;
    BOOL m_lostBIPassed;    // lost-B mode has met its I picture (kept across deliveries)
    // The video written last ends on a sequence header whose extension was not written:
    // a delivery that ends one pack before the GOP header leaves it so when a pause follows.
    BOOL m_sequenceOpen;
    // The last bytes of the video payload met: a picture start code may begin in one packet and
    // end in the next, and it still counts a picture.
    BYTE m_videoTail[3];
    int m_videoTailLength;
    BOOL m_closing;
    BOOL m_videoClosed;

    BOOL m_haveLastScr;
    double m_lastScr;
    BOOL m_scrCatchUp;
    BOOL m_haveVideo;
    double m_nextVideo;
    BOOL m_haveFirstVideo;
    double m_firstVideo;
    double m_firstPicture;     // presentation time of the first picture met by the pre-scan
    StreamTrack m_audio[256];
    std::vector<BYTE> m_scratch;

    static double s_offset;
};
