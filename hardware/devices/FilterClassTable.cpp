#include "hardware/devices/FilterClassTable.h"

#include "dshow/AcmWrapperFilter.h"
#include "dshow/AudioCaptureFilter.h"
#include "dshow/AudioRenderFilter.h"
#include "dshow/ColorConvertFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/DumpFilter.h"
#include "dshow/FileWriteFilter.h"
#include "dshow/FilterClass.h"
#include "dshow/HALSwitchFilter.h"
#include "dshow/IVAudioEncoder.h"
#include "dshow/IVDownScale.h"
#include "dshow/IVFileWriter.h"
#include "dshow/IVMultiplexer.h"
#include "dshow/IVStillCapture.h"
#include "dshow/IVTimeShiftFilter.h"
#include "dshow/IVVideoDecoder.h"
#include "dshow/IVVideoEncoder.h"
#include "dshow/InfTeeFilter.h"
#include "dshow/LigosCaptureEncoder.h"
#include "dshow/LigosTranscoder.h"
#include "dshow/MCAudioDecoder.h"
#include "dshow/MCAudioEncoder.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCH264Decoder.h"
#include "dshow/MCH264Encoder.h"
#include "dshow/MCMultiplexer.h"
#include "dshow/MCSplitter.h"
#include "dshow/MCVideoDecoder.h"
#include "dshow/MCVideoEncoder.h"
#include "dshow/Mpeg1SplitterFilter.h"
#include "dshow/Mpeg2DemuxFilter.h"
#include "dshow/Mpeg2SplitterFilter.h"
#include "dshow/Mpeg4Codecs.h"
#include "dshow/MuxFilter.h"
#include "dshow/OverlayMixerFilter.h"
#include "dshow/SampleGrabberFilter.h"
#include "dshow/SnapPictureFilter.h"
#include "dshow/TimeDelayFilter.h"
#include "dshow/TimeShiftFilter.h"
#include "hardware/devices/713xCards.h"
#include "hardware/devices/713xDCards.h"
#include "hardware/devices/713xTVAudio.h"
#include "hardware/devices/CompanionFilters.h"
#include "hardware/devices/ConexantCards.h"
#include "hardware/devices/DVCameraDevice.h"
#include "hardware/devices/DvbcCapture.h"
#include "hardware/devices/Go7007Capture.h"
#include "hardware/devices/PinMapCrossbar.h"
#include "hardware/devices/SecondFamilyCards.h"
#include "hardware/devices/ThirdFamilyCards.h"
#include "hardware/devices/Usb2800Cards.h"
#include "hardware/devices/BlackBirdCapture.h"
#include "hardware/devices/BlackBirdCrossbar.h"
#include "hardware/devices/BlackBirdEncoder.h"

#include <ks.h>
#include <uuids.h>

// The registry's rows in lookup order: the first row that matches wins (for
// example "USB EMP Audio Device" before "CLASS_FILTER" of the same category).
// The order is this array's, whatever order the program's static initialisers
// run in.

namespace {

// KSCATEGORY_ENCODER
const GUID kCategoryEncoder =
    { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

// {AFB6C280-2C41-11D3-8A60-0000F81E0E4A}
const CLSID kClsidMpeg2Demultiplexer =
    { 0xAFB6C280, 0x2C41, 0x11D3, { 0x8A, 0x60, 0x00, 0x00, 0xF8, 0x1E, 0x0E, 0x4A } };
// {C234F3EE-E66E-4519-8339-C99EFAD354E0}
const CLSID kClsidTimeshift =
    { 0xC234F3EE, 0xE66E, 0x4519, { 0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0 } };
// {6A08CF80-0E18-11CF-A24D-0020AFD79767}
const CLSID kClsidAcmWrapper =
    { 0x6A08CF80, 0x0E18, 0x11CF, { 0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67 } };
// {336475D0-942A-11CE-A870-00AA002FEAB5}
const CLSID kClsidMpeg1Splitter =
    { 0x336475D0, 0x942A, 0x11CE, { 0xA8, 0x70, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };
// {113BAC79-BF89-4693-8B66-39212CA6568B}
const CLSID kClsidIntervideoTimeShiftFilterForVeltrane =
    { 0x113BAC79, 0xBF89, 0x4693, { 0x8B, 0x66, 0x39, 0x21, 0x2C, 0xA6, 0x56, 0x8B } };
// {0246CA20-776D-11D2-8010-00104B9B8592}
const CLSID kClsidIntervideoVideoDecoder =
    { 0x0246CA20, 0x776D, 0x11D2, { 0x80, 0x10, 0x00, 0x10, 0x4B, 0x9B, 0x85, 0x92 } };
// {3AE86B20-7BE8-11D1-ABE6-00A0C905F375}
const CLSID kClsidMpeg2Splitter =
    { 0x3AE86B20, 0x7BE8, 0x11D1, { 0xAB, 0xE6, 0x00, 0xA0, 0xC9, 0x05, 0xF3, 0x75 } };
// {32EDFAC2-2540-11D6-919F-00A0CCA0F7C6}
const CLSID kClsidColorConvert =
    { 0x32EDFAC2, 0x2540, 0x11D6, { 0x91, 0x9F, 0x00, 0xA0, 0xCC, 0xA0, 0xF7, 0xC6 } };
// {F8388A40-D5BB-11D0-BE5A-0080C706568E}
const CLSID kClsidInfinitePinTeeFilter =
    { 0xF8388A40, 0xD5BB, 0x11D0, { 0xBE, 0x5A, 0x00, 0x80, 0xC7, 0x06, 0x56, 0x8E } };
// {7C0D0350-71D5-4E7E-A77F-2059A2E5AF57}
const CLSID kClsidMainconceptDemoH264Encoder =
    { 0x7C0D0350, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };
// {7C0D0340-71D5-4E7E-A77F-2059A2E5AF57}
const CLSID kClsidMainconceptH264VideoDecoder =
    { 0x7C0D0340, 0x71D5, 0x4E7E, { 0xA7, 0x7F, 0x20, 0x59, 0xA2, 0xE5, 0xAF, 0x57 } };
// {0410FD12-9320-48B2-9EC5-0FB976127A4B}
const CLSID kClsidTimeDelay =
    { 0x0410FD12, 0x9320, 0x48B2, { 0x9E, 0xC5, 0x0F, 0xB9, 0x76, 0x12, 0x7A, 0x4B } };
// {36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}
const CLSID kClsidDump =
    { 0x36A5F770, 0xFE4C, 0x11CE, { 0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };
// {C1F400A0-3F08-11D3-9F0B-006008039E37}
const CLSID kClsidSamplegrabber =
    { 0xC1F400A0, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
// {15D81FE9-49E4-436B-A52E-7274E3EB4140}
const CLSID kClsidVeltraneCorvath =
    { 0x15D81FE9, 0x49E4, 0x436B, { 0xA5, 0x2E, 0x72, 0x74, 0xE3, 0xEB, 0x41, 0x40 } };
// {E2510970-F137-11CE-8B67-00AA00A3F1A6}
const CLSID kClsidMicrosoftMuxFilter =
    { 0xE2510970, 0xF137, 0x11CE, { 0x8B, 0x67, 0x00, 0xAA, 0x00, 0xA3, 0xF1, 0xA6 } };
// {8596E5F0-0DA5-11D0-BD21-00A0C911CE86}
const CLSID kClsidFileWriteFilter =
    { 0x8596E5F0, 0x0DA5, 0x11D0, { 0xBD, 0x21, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86 } };
// {89E60B61-B893-4EEC-86E1-A231F0E15CC0}
const CLSID kClsidIntervideoDownScaleFilterForVeltrane =
    { 0x89E60B61, 0xB893, 0x4EEC, { 0x86, 0xE1, 0xA2, 0x31, 0xF0, 0xE1, 0x5C, 0xC0 } };
// {14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}
const CLSID kClsidIntervideoStillCaptureForVeltrane =
    { 0x14DCDA2E, 0xE2AC, 0x498C, { 0xA6, 0xCF, 0xB5, 0x94, 0x33, 0x2F, 0x9A, 0xB7 } };
// {31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}
const CLSID kClsidIntervideoMultiplexerForVeltrane =
    { 0x31FDD5E8, 0x68AD, 0x4D29, { 0xA2, 0xA5, 0xA4, 0x29, 0x0C, 0x37, 0x21, 0xA1 } };
// {A5258D74-8ED8-4606-8768-DC5360E5FC8E}
const CLSID kClsidIntervideoFileWriterForVeltrane =
    { 0xA5258D74, 0x8ED8, 0x4606, { 0x87, 0x68, 0xDC, 0x53, 0x60, 0xE5, 0xFC, 0x8E } };
// {31864FE3-A10C-45AF-B723-E5E4905FB6A7}
const CLSID kClsidIntervideoVideoEncoderForVeltrane =
    { 0x31864FE3, 0xA10C, 0x45AF, { 0xB7, 0x23, 0xE5, 0xE4, 0x90, 0x5F, 0xB6, 0xA7 } };
// {55F19296-06C0-4A21-8DEF-597425440063}
const CLSID kClsidIntervideoAudioEncoderForVeltrane =
    { 0x55F19296, 0x06C0, 0x4A21, { 0x8D, 0xEF, 0x59, 0x74, 0x25, 0x44, 0x00, 0x63 } };
// {CD8743A1-3736-11D0-9E69-00C04FD7C15B}
const CLSID kClsidOverlayMixer =
    { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };
// {2BE4D160-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegVideoEncoder =
    { 0x2BE4D160, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D140-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegVideoDecoder =
    { 0x2BE4D140, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D120-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegSplitter =
    { 0x2BE4D120, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D150-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegEncoder =
    { 0x2BE4D150, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D170-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegAudioEncoder =
    { 0x2BE4D170, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D130-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegAudioDecoder =
    { 0x2BE4D130, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {2BE4D180-6F2E-4B3A-B0BD-E880917238DC}
const CLSID kClsidMainconceptDemoMpegMultiplexer =
    { 0x2BE4D180, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };
// {CCEE5929-126A-4AF0-8535-8FA02225C4A6}
const CLSID kClsidVeltraneSnapPictureFilter =
    { 0xCCEE5929, 0x126A, 0x4AF0, { 0x85, 0x35, 0x8F, 0xA0, 0x22, 0x25, 0xC4, 0xA6 } };
// {C5683497-12D5-4ED1-BF8D-E53B349B0981}
const CLSID kClsidVeltraneDeinterlaceFilter =
    { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
// {FF12DF2D-9702-4438-9B45-F64D191DCE69}
const CLSID kClsidLigosGomotionMpgSdkTranscodeSample =
    { 0xFF12DF2D, 0x9702, 0x4438, { 0x9B, 0x45, 0xF6, 0x4D, 0x19, 0x1D, 0xCE, 0x69 } };
// {D3E07D43-E73C-4476-BE94-637C6753CF23}
const CLSID kClsidLigosGomotionCaptureEncoderFilterVeltrane =
    { 0xD3E07D43, 0xE73C, 0x4476, { 0xBE, 0x94, 0x63, 0x7C, 0x67, 0x53, 0xCF, 0x23 } };
// {52A2955B-5B8A-4205-AF51-494BEC925901}
const CLSID kClsidVeltraneHalSwitch =
    { 0x52A2955B, 0x5B8A, 0x4205, { 0xAF, 0x51, 0x49, 0x4B, 0xEC, 0x92, 0x59, 0x01 } };
// {79376820-07D0-11CF-A24D-0020AFD79767}
const CLSID kClsidDirectSoundFilter =
    { 0x79376820, 0x07D0, 0x11CF, { 0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67 } };
// {E30629D1-27E5-11CE-875D-00608CB78066}
const CLSID kClsidAudioRender =
    { 0xE30629D1, 0x27E5, 0x11CE, { 0x87, 0x5D, 0x00, 0x60, 0x8C, 0xB7, 0x80, 0x66 } };

}  // namespace

#define CLSID_ROW(name, clsid, factory) { &(clsid), NULL, name, factory, FALSE, name }
#define DEVICE_ROW(name, category, factory) { NULL, &(category), name, factory, FALSE, name }

const CFilterClass kFilterClasses[] = {
    CLSID_ROW("MPEG-2 Demultiplexer", kClsidMpeg2Demultiplexer, CreateFilterNodeOf<CMpeg2DemuxFilter>),
    CLSID_ROW("TimeShift", kClsidTimeshift, CreateFilterNodeOf<CTimeShiftFilter>),
    DEVICE_ROW("713x BDA Analog Xbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xBdaCrossbar>),
    DEVICE_ROW("713x BDA Analog Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xBdaCapture>),
    DEVICE_ROW("713x_4 TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713x4Crossbar>),
    DEVICE_ROW("713x_4 TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713x4Capture>),
    DEVICE_ROW("713x_D TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xDCrossbar>),
    DEVICE_ROW("713x_D TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xDCapture>),
    DEVICE_ROW("Trident Pemrok TvAudio", AM_KSCATEGORY_TVAUDIO, CreateFilterNodeOf<CTridentPemrokTVAudio>),
    DEVICE_ROW("Trident Pemrok Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CTridentPemrokCrossbar>),
    DEVICE_ROW("Trident Pemrok Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CTridentPemrokCapture>),
    DEVICE_ROW("DVBC TS Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CDVBCTSCapture>),
    DEVICE_ROW("Conexant Raptor Encoder", kCategoryEncoder, CreateFilterNodeOf<CRaptorEncoder>),
    DEVICE_ROW("Conexant Raptor Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CRaptorCapture>),
    DEVICE_ROW("Conexant Raptor Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CRaptorCrossbar>),
    DEVICE_ROW("Tavesh Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CTaveshCrossbar>),
    DEVICE_ROW("Tavesh Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CTaveshCapture>),
    DEVICE_ROW("Seldrin Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CSeldrinCrossbar>),
    DEVICE_ROW("Seldrin Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CSeldrinCapture>),
    DEVICE_ROW("Veltrane PX63 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVeltranePX63Crossbar>),
    DEVICE_ROW("Veltrane PX63 Device", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVeltranePX63Capture>),
    DEVICE_ROW("QM42 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CQM42Crossbar>),
    DEVICE_ROW("QM42 Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CQM42Capture>),
    DEVICE_ROW("QM41 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CQM41Crossbar>),
    DEVICE_ROW("QM41 Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CQM41Capture>),
    DEVICE_ROW("2388x Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C2388xCrossbar>),
    DEVICE_ROW("2388x Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C2388xCapture>),
    DEVICE_ROW("Hadlex Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CHadlexCrossbar>),
    DEVICE_ROW("Hadlex Capture Card", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CHadlexCapture>),
    DEVICE_ROW("Lorvane Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CLorvaneCrossbar>),
    DEVICE_ROW("Lorvane Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CLorvaneCapture>),
    DEVICE_ROW("USB 2881 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CUSB2881Crossbar>),
    DEVICE_ROW("USB 2881 Video", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CUSB2881Capture>),
    CLSID_ROW("ACM Wrapper", kClsidAcmWrapper, CreateFilterNodeOf<CAcmWrapperFilter>),
    DEVICE_ROW("Morvik CrossBar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CMorvikCrossbar>),
    DEVICE_ROW("Morvik A/V Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CMorvikCapture>),
    DEVICE_ROW("Trident USB TvAudio", AM_KSCATEGORY_TVAUDIO, CreateFilterNodeOf<CTridentUSBTVAudio>),
    DEVICE_ROW("Trident USB Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CTridentUSBCrossbar>),
    DEVICE_ROW("Trident USB Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CTridentUSBCapture>),
    DEVICE_ROW("TridVid Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CTridVidCrossbar>),
    DEVICE_ROW("TridVid Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CTridVidCapture>),
    DEVICE_ROW("Veltrane QM57 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVeltraneQM57Crossbar>),
    DEVICE_ROW("Veltrane QM57 Audio Decoder", AM_KSCATEGORY_TVAUDIO, CreateFilterNodeOf<CVeltraneQM57TVAudio>),
    DEVICE_ROW("Veltrane QM57 Audio/Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVeltraneQM57Capture>),
    DEVICE_ROW("BlackBird MPEG Encoder", kCategoryEncoder, CBlackBirdEncoder::CreateInstance),
    DEVICE_ROW("BlackBird Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CBlackBirdCrossbar>),
    DEVICE_ROW("BlackBird Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CBlackBirdCapture>),
    DEVICE_ROW("713x_3 TV Card TV Audio (Proteus)", AM_KSCATEGORY_TVAUDIO, CreateFilterNodeOf<C713x3TVAudio>),
    DEVICE_ROW("713x TV Card TV Audio (Proteus)", AM_KSCATEGORY_TVAUDIO, CreateFilterNodeOf<C713xTVAudio>),
    CLSID_ROW("Mpeg1 Splitter", kClsidMpeg1Splitter, CreateFilterNodeOf<CMpeg1SplitterFilter>),
    CLSID_ROW("InterVideo Time Shift Filter for Veltrane", kClsidIntervideoTimeShiftFilterForVeltrane, CreateFilterNodeOf<CIVTimeShiftFilter>),
    DEVICE_ROW("Quenby Lantor TV Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CQuenbyLantorCrossbar>),
    DEVICE_ROW("Quenby Lantor TV Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CQuenbyLantorCapture>),
    CLSID_ROW("InterVideo Video Decoder", kClsidIntervideoVideoDecoder, CreateFilterNodeOf<CIVVideoDecoder>),
    CLSID_ROW("Mpeg2 Splitter", kClsidMpeg2Splitter, CreateFilterNodeOf<CMpeg2SplitterFilter>),
    CLSID_ROW("Color Convert", kClsidColorConvert, CreateFilterNodeOf<CColorConvertFilter>),
    CLSID_ROW("Infinite Pin Tee Filter", kClsidInfinitePinTeeFilter, CreateFilterNodeOf<CInfTeeFilter>),
    CLSID_ROW("MainConcept Demo H.264 Encoder", kClsidMainconceptDemoH264Encoder, CreateFilterNodeOf<CMCH264Encoder>),
    CLSID_ROW("MainConcept H.264 Video Decoder", kClsidMainconceptH264VideoDecoder, CreateFilterNodeOf<CMCH264Decoder>),
    DEVICE_ROW("Veltrane MPEG-2 Box Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVeltraneMPEG2BoxCrossbar>),
    DEVICE_ROW("Veltrane MPEG-2 Box", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVeltraneMPEG2BoxCapture>),
    CLSID_ROW("Time Delay", kClsidTimeDelay, CreateFilterNodeOf<CTimeDelayFilter>),
    CLSID_ROW("Dump", kClsidDump, CreateFilterNodeOf<CDumpFilter>),
    CLSID_ROW("SampleGrabber", kClsidSamplegrabber, CreateFilterNodeOf<CSampleGrabberFilter>),
    DEVICE_ROW("Microsoft MPEG-4  VKI  Codec V3", CLSID_VideoCompressorCategory, CreateFilterNodeOf<CMpeg4CodecV3>),
    DEVICE_ROW("Microsoft MPEG-4  VKI  Codec V2", CLSID_VideoCompressorCategory, CreateFilterNodeOf<CMpeg4CodecV2>),
    DEVICE_ROW("Microsoft MPEG-4  VKI  Codec V1", CLSID_VideoCompressorCategory, CreateFilterNodeOf<CMpeg4CodecV1>),
    CLSID_ROW("Veltrane Corvath", kClsidVeltraneCorvath, CreateFilterNodeOf<CCorvathSwitchFilter>),
    CLSID_ROW("Microsoft Mux Filter", kClsidMicrosoftMuxFilter, CreateFilterNodeOf<CMuxFilter>),
    CLSID_ROW("File Write Filter", kClsidFileWriteFilter, CreateFilterNodeOf<CFileWriteFilter>),
    CLSID_ROW("InterVideo Down Scale Filter for Veltrane", kClsidIntervideoDownScaleFilterForVeltrane, CreateFilterNodeOf<CIVDownScale>),
    CLSID_ROW("InterVideo Still Capture for Veltrane", kClsidIntervideoStillCaptureForVeltrane, CreateFilterNodeOf<CIVStillCapture>),
    CLSID_ROW("InterVideo Multiplexer for Veltrane", kClsidIntervideoMultiplexerForVeltrane, CreateFilterNodeOf<CIVMultiplexer>),
    CLSID_ROW("InterVideo File Writer for Veltrane", kClsidIntervideoFileWriterForVeltrane, CreateFilterNodeOf<CIVFileWriter>),
    CLSID_ROW("InterVideo Video Encoder for Veltrane", kClsidIntervideoVideoEncoderForVeltrane, CreateFilterNodeOf<CIVVideoEncoder>),
    CLSID_ROW("InterVideo Audio Encoder for Veltrane", kClsidIntervideoAudioEncoderForVeltrane, CreateFilterNodeOf<CIVAudioEncoder>),
    CLSID_ROW("Overlay Mixer", kClsidOverlayMixer, CreateFilterNodeOf<COverlayMixerFilter>),
    CLSID_ROW("MainConcept Demo MPEG Video Encoder", kClsidMainconceptDemoMpegVideoEncoder, CreateFilterNodeOf<CMCVideoEncoder>),
    CLSID_ROW("MainConcept Demo MPEG Video Decoder", kClsidMainconceptDemoMpegVideoDecoder, CreateFilterNodeOf<CMCVideoDecoder>),
    CLSID_ROW("MainConcept Demo MPEG Splitter", kClsidMainconceptDemoMpegSplitter, CreateFilterNodeOf<CMCSplitter>),
    CLSID_ROW("MainConcept Demo MPEG Encoder", kClsidMainconceptDemoMpegEncoder, CreateFilterNodeOf<CMCEncoderFilter>),
    CLSID_ROW("MainConcept Demo MPEG Audio Encoder", kClsidMainconceptDemoMpegAudioEncoder, CreateFilterNodeOf<CMCAudioEncoder>),
    CLSID_ROW("MainConcept Demo MPEG Audio Decoder", kClsidMainconceptDemoMpegAudioDecoder, CreateFilterNodeOf<CMCAudioDecoder>),
    CLSID_ROW("MainConcept Demo MPEG Multiplexer", kClsidMainconceptDemoMpegMultiplexer, CreateFilterNodeOf<CMCMultiplexer>),
    CLSID_ROW("Veltrane Snap Picture Filter", kClsidVeltraneSnapPictureFilter, CreateFilterNodeOf<CSnapPictureFilter>),
    CLSID_ROW("Veltrane Deinterlace Filter", kClsidVeltraneDeinterlaceFilter, CreateFilterNodeOf<CDeinterlaceFilter>),
    CLSID_ROW("Ligos GoMotion.MPG SDK Transcode Sample", kClsidLigosGomotionMpgSdkTranscodeSample, CreateFilterNodeOf<CLigosTranscoder>),
    CLSID_ROW("Ligos GoMotion Capture Encoder Filter (Veltrane)", kClsidLigosGomotionCaptureEncoderFilterVeltrane, CreateFilterNodeOf<CLigosCaptureEncoder>),
    DEVICE_ROW("Vandrel 630 TV Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVandrel630Crossbar>),
    DEVICE_ROW("Vandrel 630 TV Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVandrel630Capture>),
    DEVICE_ROW("Sanvory Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CSanvoryCrossbar>),
    DEVICE_ROW("Sanvory Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CSanvoryCapture>),
    DEVICE_ROW("Ketrim Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CKetrimCrossbar>),
    DEVICE_ROW("Ketrim Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CKetrimCapture>),
    DEVICE_ROW("TV AV Capture Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CTVAVCrossbar>),
    DEVICE_ROW("TV AV Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CTVAVCapture>),
    DEVICE_ROW("Usb_Cam_Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CUsbCamCapture>),
    DEVICE_ROW("Microsoft DV Camera and VCR", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CDVCameraDevice>),
    DEVICE_ROW("USB EMP Audio Device", CLSID_AudioInputDeviceCategory, CreateFilterNodeOf<CUsbEmpAudioDevice>),
    DEVICE_ROW("USB 2821 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CUSB2821Crossbar>),
    DEVICE_ROW("USB 2821 Video", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CUSB2821Capture>),
    DEVICE_ROW("USB 2820 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CUSB2820Crossbar>),
    DEVICE_ROW("USB 2820 Video", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CUSB2820Capture>),
    DEVICE_ROW("Veltrane Kestane Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVeltraneKestaneCrossbar>),
    DEVICE_ROW("Veltrane Kestane Video", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVeltraneKestaneCapture>),
    DEVICE_ROW("USB 2800 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CUSB2800Crossbar>),
    DEVICE_ROW("USB 2800 Video", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CUSB2800Capture>),
    DEVICE_ROW("Veltrane Mireval Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CVeltraneMirevalCrossbar>),
    DEVICE_ROW("Veltrane Mireval Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CVeltraneMirevalCapture>),
    DEVICE_ROW("Conexant 2388x_3 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CConexant2388x3Crossbar>),
    DEVICE_ROW("Conexant 2388x_3 Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CConexant2388x3Capture>),
    DEVICE_ROW("Conexant 2388x_1 Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CConexant2388x1Crossbar>),
    DEVICE_ROW("Conexant 2388x_1 Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CConexant2388x1Capture>),
    DEVICE_ROW("Conexant 2388x Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<CConexant2388xCrossbar>),
    DEVICE_ROW("Conexant 2388x Video Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<CConexant2388xCapture>),
    DEVICE_ROW("713x_Genius TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xGeniusCrossbar>),
    DEVICE_ROW("713x_Genius TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xGeniusCapture>),
    DEVICE_ROW("713x_PIP TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xPIPCrossbar>),
    DEVICE_ROW("713x_PIP TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xPIPCapture>),
    DEVICE_ROW("713x_3 TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713x3Crossbar>),
    DEVICE_ROW("713x_3 TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713x3Capture>),
    DEVICE_ROW("713x_IO TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xIOCrossbar>),
    DEVICE_ROW("713x_IO TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xIOCapture>),
    DEVICE_ROW("713x TV Card Crossbar", AM_KSCATEGORY_CROSSBAR, CreateFilterNodeOf<C713xCrossbar>),
    DEVICE_ROW("713x TV Card Capture", CLSID_VideoInputDeviceCategory, CreateFilterNodeOf<C713xCapture>),
    DEVICE_ROW("CLASS_FILTER", CLSID_AudioInputDeviceCategory, CreateFilterNodeOf<CAudioCaptureFilter>),
    CLSID_ROW("Veltrane HAL Switch", kClsidVeltraneHalSwitch, CreateFilterNodeOf<CHALSwitchFilter>),
    CLSID_ROW("Direct Sound Filter", kClsidDirectSoundFilter, CreateFilterNodeOf<CDirectSoundFilter>),
    CLSID_ROW("Audio Render", kClsidAudioRender, CreateFilterNodeOf<CAudioRenderFilter>),
};

#undef CLSID_ROW
#undef DEVICE_ROW

void RegisterFilterClasses()
{
    CFilterClass::SetTable(kFilterClasses, static_cast<int>(sizeof(kFilterClasses) / sizeof(kFilterClasses[0])));
}
