#!/usr/bin/env python3
"""Writes the expected files of the channel and settings tests from the file formats by hand:
the channel file's fixed header and item lines, and the INI files with each section's keys in
the order the program's string map walks them (17 buckets, hash h = h * 33 + c over the bytes
taken as signed, the newest key first in its bucket). Texts are GBK, lines end in CR LF.

Run it after changing a format rule; the files it writes are committed beside the tests.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def bucket(key):
    h = 0
    for b in key:
        h = (h * 33 + (b - 256 if b > 127 else b)) & 0xFFFFFFFF
    return h % 17


def map_order(pairs):
    """The pairs as the map walks them after inserting them in the given order."""
    buckets = [[] for _ in range(17)]
    for key, value in pairs:
        chain = buckets[bucket(key)]
        for i, (k, _) in enumerate(chain):
            if k == key:
                chain[i] = (key, value)
                break
        else:
            chain.insert(0, (key, value))
    return [pair for chain in buckets for pair in chain]


def ini_bytes(sections, reread=False):
    """sections: [(name, [(key, value)...])] in insertion order. With reread, the file is the
    one written from these, read back and written again: keys are inserted in file order."""
    out = b""
    for name, pairs in sections:
        pairs = [(k.encode("gbk"), v.encode("gbk")) for k, v in pairs]
        ordered = map_order(pairs)
        if reread:
            ordered = map_order(ordered)
        out += b"[" + name.encode("gbk") + b"]\r\n"
        for key, value in ordered:
            out += key + b"=" + value + b"\r\n"
    return out


def write(relative, data):
    with open(os.path.join(HERE, relative), "wb") as f:
        f.write(data)


def channel_file(fm, items):
    rule = ";" + "=" * 56
    lines = [rule, ";\t\tFM Channel Table" if fm else ";\t\tTV Channel Table", rule, "", "",
             "//ID(>0), Flags, Frequence, Name", "", "", "; Count = %d" % len(items), "", "", ""]
    lines += ["%d,%d,%d,%s" % item for item in items]
    return "".join(line + "\r\n" for line in lines).encode("gbk")


TV_ITEMS = [(1, 0, 49750, "Channel 1"), (5, 2, 175250, "Channel Five"), (3, 4, 471250, "News, Sport"),
            (-7, 9, 583250, "台\t北 一")]
FM_ITEMS = [(1, 0, 87500, "Radio A"), (2, 2, 101700, "Radio B")]


def profile(items):
    state = lambda flags: 3 if flags & 2 else 1
    quote = lambda name: '"' + name.replace('"', '""') + '"' if "," in name or name.startswith('"') else name
    channels = [("Channel-%d" % i, "%s,%d,%d" % (quote(name), freq, state(flags)))
                for i, (_, flags, freq, name) in enumerate(items)]
    return ini_bytes([("General", [("Total", str(len(items)))]), ("Channel", channels)])


def settings(values):
    """The settings sections in the order the program writes them, from a dict of overrides."""
    table = [
        ("Interface", ["SkinName", "AutoStartTray"]),
        ("Channel", ["TVInput", "CountryCode", "City", "TVCurFreq", "TVLastFreq", "TVCurIndex", "TVFavor",
                     "TVReservePrev", "FMCurFreq", "FMLastFreq", "FMCurIndex", "FMFavor", "FMReservePrev",
                     "ShowEPGInfo", "ShowEPGTime"]),
        ("Device", ["TVStandard", "AVStandard", "SVStandard", "AudioDevice", "AudioInput", "AudioPlayDev",
                    "AudioPlayInput", "MuteAudioPlaySrc", "AudioRecVol", "TVAUDIOSTEREO", "TVAUDIOLANGUAGE",
                    "TVDATA"]),
        ("Record", ["SnapBmp", "JpgQuality", "MotionSearchInc", "TimeShiftFormat", "DisplayQuality", "RecordFormat",
                    "FMRecordFormat", "Mpeg4RecordSize", "Mpeg4Audio", "TFTime", "TFReserved", "ShowError",
                    "SysDefaultLogon", "SysDefaultUser", "SysDefaultPass", "DefaultUser", "DefaultPass"]),
        ("Schedule", ["EnableShut", "ShutTime", "StartTray"]),
        ("Video", ["Brightness", "Contrast", "Saturation", "Sharpness", "OverlayBri", "OverlayCon", "OverlayHue",
                   "OverlaySat", "OverlaySha", "UseOverlay", "VideoSize", "HightQuality", "HalfRate", "NoiseReduce",
                   "ReduceValue", "OverlayDesktop"]),
        ("Storage", ["VideoFolder", "MaxLength", "NoSpace", "ExcessLength", "ValidDisk", "CurDisk", "ReservedSpace"]),
        ("Window", ["VideoWnd", "ControlLeftTop", "VideoRatio", "FullScreen", "TopMost"]),
        ("Runonce", ["Run"]),
    ]
    sections = [(name, [(key, values[key]) for key in keys]) for name, keys in table]
    custom = [("Current", values["Current"]), ("Count", str(len(values["FMCustom"])))]
    for i, (name, comp) in enumerate(values["FMCustom"]):
        custom += [("FMCustom%d_Name" % i, name), ("FMCustom%d_AudioComp" % i, comp)]
    sections.append(("FMCustom", custom))
    params = ["AudioCrc", "AudioPut", "AudioRate", "AudioDataRate", "VideoRate", "CloseGop", "GOPSIZE", "VideoVBR",
              "VideoEncode", "VideoSize"]
    for block in ("mpeg1", "mpeg2"):
        sections.append(("RecordParam-" + block, [(key, values[block][key]) for key in params]))
    return sections


DEFAULTS = {
    "SkinName": "Classic", "AutoStartTray": "0",
    "TVInput": "0", "CountryCode": "86", "City": "", "TVCurFreq": "0", "TVLastFreq": "0", "TVCurIndex": "-1",
    "TVFavor": "0", "TVReservePrev": "1", "FMCurFreq": "0", "FMLastFreq": "0", "FMCurIndex": "-1", "FMFavor": "0",
    "FMReservePrev": "1", "ShowEPGInfo": "1", "ShowEPGTime": "4",
    "TVStandard": "32", "AVStandard": "32", "SVStandard": "32", "AudioDevice": "", "AudioInput": "Line In",
    "AudioPlayDev": "", "AudioPlayInput": "", "MuteAudioPlaySrc": "0", "AudioRecVol": "50", "TVAUDIOSTEREO": "0",
    "TVAUDIOLANGUAGE": "0", "TVDATA": "0",
    "SnapBmp": "0", "JpgQuality": "100", "MotionSearchInc": "0", "TimeShiftFormat": "1", "DisplayQuality": "1",
    "RecordFormat": "4", "FMRecordFormat": "0", "Mpeg4RecordSize": "320,240", "Mpeg4Audio": "Microsoft ADPCM",
    "TFTime": "600", "TFReserved": "0", "ShowError": "1", "SysDefaultLogon": "0", "SysDefaultUser": "",
    "SysDefaultPass": "", "DefaultUser": "", "DefaultPass": "",
    "EnableShut": "0", "ShutTime": "2024,01,02,03,04,05", "StartTray": "1",
    "Brightness": "5020", "Contrast": "2235", "Saturation": "4980", "Sharpness": "1", "OverlayBri": "750",
    "OverlayCon": "10000", "OverlayHue": "0", "OverlaySat": "10000", "OverlaySha": "5", "UseOverlay": "1",
    "VideoSize": "720,576", "HightQuality": "1", "HalfRate": "0", "NoiseReduce": "0", "ReduceValue": "5",
    "OverlayDesktop": "0",
    "VideoFolder": "Video", "MaxLength": "90", "NoSpace": "0", "ExcessLength": "0", "ValidDisk": "", "CurDisk": "",
    "ReservedSpace": "300",
    "VideoWnd": "0,0,0,0", "ControlLeftTop": "0,0", "VideoRatio": "1,1", "FullScreen": "0", "TopMost": "0",
    "Run": "1",
    "Current": "-1", "FMCustom": [],
    "mpeg1": {"AudioCrc": "0", "AudioPut": "1", "AudioRate": "1", "AudioDataRate": "2", "VideoRate": "5",
              "CloseGop": "0", "GOPSIZE": "6", "VideoVBR": "2", "VideoEncode": "0", "VideoSize": "0"},
}
DEFAULTS["mpeg2"] = dict(DEFAULTS["mpeg1"])

USER = dict(DEFAULTS)
USER.update({
    "SkinName": "Blue", "TVInput": "1", "CountryCode": "44", "City": "深圳", "TVCurFreq": "175250",
    "TVLastFreq": "49750", "TVCurIndex": "1", "TVFavor": "1", "TVReservePrev": "0", "FMCurFreq": "101700",
    "FMCurIndex": "1", "ShowEPGTime": "9", "TVStandard": "16", "AudioDevice": "SB Live", "AudioInput": "线路输入",
    "AudioRecVol": "75", "SnapBmp": "1", "JpgQuality": "80", "RecordFormat": "2", "FMRecordFormat": "3",
    "Mpeg4RecordSize": "352,288", "TFTime": "1200", "DefaultUser": "tv", "DefaultPass": "secret",
    "EnableShut": "1", "ShutTime": "2025,12,31,23,30,00", "StartTray": "0", "Brightness": "6000",
    "Sharpness": "3", "OverlaySat": "1500", "VideoSize": "352,288", "ReduceValue": "7",
    "ValidDisk": "C:\\,D:\\,E:\\", "CurDisk": "D:\\", "ReservedSpace": "500", "VideoWnd": "10,20,730,596",
    "ControlLeftTop": "-5,7", "VideoRatio": "16,9", "TopMost": "1", "Run": "0",
    "Current": "1", "FMCustom": [("Speech", "Microsoft ADPCM"), ("Music", "MPEG Layer-3")],
    "mpeg2": dict(DEFAULTS["mpeg1"], VideoRate="8", GOPSIZE="15", VideoSize="1"),
})

if __name__ == "__main__":
    write("channels/TVChannel.tvc", channel_file(False, TV_ITEMS))
    write("channels/FMChannel.fmc", channel_file(True, FM_ITEMS))
    write("channels/TVChl.ini", profile(TV_ITEMS))
    write("controller/TVParam-new.ini", ini_bytes(settings(DEFAULTS)))
    write("controller/TVParam-user.ini", ini_bytes(settings(USER)))
    write("controller/TVParam-user-resaved.ini", ini_bytes(settings(USER), reread=True))
