#pragma once

#include <windows.h>

// Where the parts of MPEG-1 system and MPEG-2 program stream packs lie, and the edits that cut
// a pack at a group of pictures. Offsets are within one pack held in memory; kind 1 is MPEG-1,
// kind 2 MPEG-2.

BOOL IsVideoStream(BYTE id);

// A pack header whose start code, kind bits and marker bits are all right, as far as the
// `available` bytes go; stray start codes in damaged data fail this.
BOOL IsPackHeader(const BYTE* pack, int available);

// Length of the pack header and of a system header right behind it, or -1 when they do not fit.
int PackHeaderLength(const BYTE* pack, int length, int kind);

// Offset of the first payload byte of the PES packet at p, or -1 when its header does not
// fit within `end`.
int PayloadOffset(const BYTE* pack, int p, int end, int kind);

// Where a video payload stops belonging to the pictures before a group: at its first sequence
// header (which leads the GOP, here or in the next pack), else at its GOP header; -1 when the
// payload holds neither.
int GopCut(const BYTE* pack, int payload, int end);

struct VideoCut
{
    int packet;     // 00 00 01 Ex of the packet holding the cut
    int payload;
    int end;        // the packet's end
    int cut;
};

// The first video packet of the pack whose payload holds a sequence or GOP header.
BOOL FindVideoCut(const BYTE* pack, int length, int kind, VideoCut* out);

void PutLength(BYTE* pack, int packet, int end);

// Makes `n` (1 to 5) bytes of room at the front of a packet's payload by growing its header
// with stuffing, moving the payload bytes before `until` back by n.
void InsertStuffing(BYTE* pack, int packet, int payload, int until, int n, int kind);

// The packet's time stamps name a picture that starts after the cut: drop them.
void ClearStamps(BYTE* pack, int packet, int payload, int kind);

// Ends the video packet at the cut: what follows it in the pack becomes padding (or header
// stuffing when fewer than six bytes follow), and the packet loses its time stamps when no
// picture begins before the cut. FALSE when the stuffing would not fit the header.
BOOL CloseVideoPacket(BYTE* pack, int length, int kind, const VideoCut& c);

// A pack whose last packet runs past `length` (the bytes that are there of a pack cut short):
// a video packet keeps what it has, any other packet becomes padding, and bytes too few to
// form a packet header become stuffing bytes.
void CloseCutPack(BYTE* pack, int length, int kind);
