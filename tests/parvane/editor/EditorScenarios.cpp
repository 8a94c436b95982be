// Editing scenarios on real streams, run through EditorApi. Every output is listed in a
// manifest with the source ranges it must hold; check-outputs.py then checks each one with
// ffprobe (streams, time stamps, pictures).
#include "tests/parvane/editor/EditorApi.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/StreamEditor.h"

namespace {

std::string Unix(const std::string& windowsPath)
{
    return windowsPath.compare(0, 2, "Z:") == 0 ? windowsPath.substr(2) : windowsPath;
}

std::string OutputDir()
{
    return std::string(ONDRIX_BINARY_DIR) + "/parvane-editor-out/" + BackendName();
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Piece
{
    std::string source;
    __int64 start;
    __int64 end;
};

void Record(const std::string& output, int lostB, const std::vector<Piece>& pieces)
{
    bool empty = true;
    for (const Piece& p : pieces)
        empty = empty && p.start >= p.end;
    if (empty)
        return;
    std::ofstream m(Unix(OutputDir()) + "/manifest.txt", std::ios::app);
    m << Unix(output) << '\t' << lostB;
    for (const Piece& p : pieces)
        m << '\t' << Unix(p.source) << '@' << p.start << '@' << p.end;
    m << '\n';
}

class ManifestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CreateDirectoryA((std::string(ONDRIX_BINARY_DIR) + "/parvane-editor-out").c_str(), NULL);
        CreateDirectoryA(OutputDir().c_str(), NULL);
        std::ofstream(Unix(OutputDir()) + "/manifest.txt", std::ios::trunc);
    }
};
::testing::Environment* const g_manifest = ::testing::AddGlobalTestEnvironment(new ManifestEnvironment);

MpegSegment Seg(double start, double end, int startMode = 0, int endMode = 0)
{
    MpegSegment s = {start, end, startMode, endMode};
    return s;
}

// Replays the calls on an editor of its own to learn the positions the save will use.
class Session
{
public:
    Session() : m_api(Api()) {}

    bool Open(const std::string& path)
    {
        m_path = path;
        m_shadow.OpenFile(path.c_str());
        return m_api->OpenMpegFile(path.c_str()) == 1;
    }

    int Add(MpegSegment s)
    {
        int key = m_api->AddSegment(&s);
        EXPECT_EQ(m_shadow.AddSegment(&s), key);
        return key;
    }

    int Save(const std::string& out, int invert, int lostB)
    {
        PositionRangeList ranges = m_shadow.GetStream()->BuildRangeList();
        if (invert)
            ranges = m_shadow.GetStream()->InvertRanges(ranges);
        int r = m_api->SaveSegments(out.c_str(), invert, lostB);
        if (r == 0)
        {
            std::vector<Piece> pieces;
            for (const PositionRange& p : ranges)
                pieces.push_back({m_path, p.start, p.end});
            Record(out, lostB, pieces);
        }
        return r;
    }

    int Insert(const std::string& other, double at, int mode, const std::string& out, int lostB)
    {
        // The insertion position as the open file's fresh handler finds it.
        CStreamEditor fresh;
        fresh.OpenFile(m_path.c_str());
        CMpegStream* self = fresh.GetStream();
        double t = at;
        __int64 position = self->TimeToPosition(&t, mode);
        CMappedFile reader(other.c_str());
        CMpegStream* second = CStreamEditor::MakeStream(self->GetKind(), &reader);
        std::vector<Piece> pieces;
        if (position <= self->GetDataStart())
        {
            pieces.push_back({other, second->GetDataStart(), second->GetLastGopPosition()});
            pieces.push_back({m_path, self->GetDataStart(), self->GetFileSize()});
        }
        else if (position >= self->GetFileSize())
        {
            pieces.push_back({m_path, self->GetDataStart(), self->GetLastGopPosition()});
            pieces.push_back({other, second->GetDataStart(), second->GetFileSize()});
        }
        else
        {
            pieces.push_back({m_path, self->GetDataStart(), position});
            pieces.push_back({other, second->GetDataStart(), second->GetLastGopPosition()});
            pieces.push_back({m_path, position, self->GetFileSize()});
        }
        delete second;
        int r = m_api->InsertMpegFile(other.c_str(), at, mode, out.c_str(), lostB);
        if (r == 0)
            Record(out, lostB, pieces);
        return r;
    }

    int Clip(const std::string& path, MpegSegment s)
    {
        int id = m_api->AddClip(path.c_str(), &s);
        EXPECT_EQ(m_shadow.AddClip(path.c_str(), &s), id);
        return id;
    }

    void NewClips(const char* name)
    {
        m_api->NewClipList(name);
        m_shadow.SetName(name);
    }

    int SaveClips(const std::string& out, int lostB, MpegProgressProc progress)
    {
        std::vector<Piece> pieces;
        for (const ClipSegment& c : m_shadow.GetClips())
            pieces.push_back({c.stream->GetReader()->GetPath(), c.startPosition, c.endPosition});
        int r = m_api->SaveClipList(out.c_str(), lostB, progress);
        if (r == 0)
            Record(out, lostB, pieces);
        return r;
    }

    const EditorApi* m_api;
    CStreamEditor m_shadow;
    std::string m_path;
};

struct Case
{
    const char* main;
    const char* other;
    int kind;
    int lostB;
};

std::ostream& operator<<(std::ostream& os, const Case& c)
{
    return os << c.main;
}

class EditorScenario : public ::testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, Api()) << "Parvane.dll could not be bound";
        Api()->CloseMpegFile();
        Api()->ClearClipList();
        m_main = FixturePath(GetParam().main);
        m_other = FixturePath(GetParam().other);
        ASSERT_TRUE(Exists(m_main)) << m_main;
    }

    std::string Out(const char* what)
    {
        std::string name = GetParam().main;
        return OutputPath(name.substr(0, name.find('.')) + "-" + what + ".mpg");
    }

    std::string m_main;
    std::string m_other;
};

TEST_P(EditorScenario, OpensAndReportsTheStream)
{
    Session s;
    ASSERT_TRUE(s.Open(m_main));
    MpegStreamInfo info = {};
    ASSERT_EQ(1, Api()->GetMpegFileInfo(&info));
    EXPECT_EQ(GetParam().kind, info.kind);
    EXPECT_EQ(1, info.hasKind);
    EXPECT_GT(info.sequence.width, 0);
    EXPECT_GT(info.sequence.height, 0);
    EXPECT_NEAR(25.0, info.sequence.frameRate, 0.01);
    EXPECT_GT(info.duration, 1.0);
    EXPECT_LT(info.duration, 4.0);
    EXPECT_EQ(0, Api()->GetSegmentCount());
}

TEST_P(EditorScenario, SavesSegments)
{
    Session s;
    ASSERT_TRUE(s.Open(m_main));
    EXPECT_GT(s.Add(Seg(0.5, 1.5)), 0);
    EXPECT_GT(s.Add(Seg(2.2, 3.0, 1, 1)), 0);
    EXPECT_EQ(0, s.Save(Out("segments"), 0, GetParam().lostB));
    EXPECT_TRUE(Exists(Out("segments")));
}

TEST_P(EditorScenario, SavesInvertedSegments)
{
    Session s;
    ASSERT_TRUE(s.Open(m_main));
    EXPECT_GT(s.Add(Seg(0.9, 1.7)), 0);
    EXPECT_GT(s.Add(Seg(2.5, 2.9)), 0);
    EXPECT_EQ(0, s.Save(Out("inverted"), 1, GetParam().lostB));
}

TEST_P(EditorScenario, InsertsAFile)
{
    Session s;
    ASSERT_TRUE(s.Open(m_main));
    EXPECT_EQ(0, s.Insert(m_other, 1.5, 0, Out("insert"), GetParam().lostB));
    ASSERT_TRUE(s.Open(m_main));
    EXPECT_EQ(0, s.Insert(m_other, 0, 0, Out("insert-front"), GetParam().lostB));
    ASSERT_TRUE(s.Open(m_main));
    EXPECT_EQ(0, s.Insert(m_other, 99, 0, Out("insert-end"), GetParam().lostB));
}

std::vector<int> g_progress;
void __cdecl OnProgress(int percent)
{
    g_progress.push_back(percent);
}

TEST_P(EditorScenario, JoinsClipsAcrossFiles)
{
    Session s;
    s.NewClips("joined");
    EXPECT_EQ(1, s.Clip(m_main, Seg(0.4, 1.6)));
    EXPECT_EQ(2, s.Clip(m_other, Seg(0.3, 1.2)));
    EXPECT_EQ(3, s.Clip(m_main, Seg(2.5, 3.5)));
    g_progress.clear();
    EXPECT_EQ(0, s.SaveClips(Out("clips"), GetParam().lostB, OnProgress));
    ASSERT_GE(g_progress.size(), 2u);
    EXPECT_EQ(0, g_progress.front());
    EXPECT_EQ(100, g_progress.back());
    for (size_t i = 1; i < g_progress.size(); ++i)
    {
        EXPECT_GE(g_progress[i], g_progress[i - 1]);
        EXPECT_LE(g_progress[i], 100);
    }
    s.NewClips("done");
}

const Case kCases[] = {
    {"m2-closed.mpg", "m2-insert.mpg", 2, 0},
    {"m1-closed.mpg", "m1-insert.mpg", 1, 0},
    {"m2-open.mpg", "m2-insert.mpg", 2, 1},
    {"m1-system.mpg", "m1-insert.mpg", 1, 1},
    {"dvd-nav.vob", "dvd-nav.vob", 2, 1},
    {"m2-border.mpg", "m2-closed.mpg", 2, 0},
    {"m1-junk.mpg", "m1-insert.mpg", 1, 1},
};
INSTANTIATE_TEST_SUITE_P(Streams, EditorScenario, ::testing::ValuesIn(kCases));

class EditorBehaviour : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, Api());
        Api()->CloseMpegFile();
        Api()->ClearClipList();
        m_file = FixturePath("m2-closed.mpg");
    }
    std::string m_file;
};

TEST_F(EditorBehaviour, SmallStreamsOpen)
{
    for (const char* name : {"m2-small.mpg", "m1-small.mpg"})
    {
        ASSERT_EQ(1, Api()->OpenMpegFile(FixturePath(name).c_str())) << name;
        MpegStreamInfo info = {};
        ASSERT_EQ(1, Api()->GetMpegFileInfo(&info));
        EXPECT_EQ(176, info.sequence.width) << name;
        EXPECT_EQ(144, info.sequence.height) << name;
    }
}

TEST_F(EditorBehaviour, NothingOpen)
{
    MpegStreamInfo info = {};
    EXPECT_EQ(0, Api()->GetMpegFileInfo(&info));
    MpegSegment s = Seg(0.5, 1.0);
    EXPECT_EQ(-1, Api()->AddSegment(&s));
    EXPECT_EQ(0, Api()->GetSegmentCount());
    EXPECT_EQ(-1, Api()->SaveSegments(OutputPath("nothing-open.mpg").c_str(), 1, 0));
    EXPECT_FALSE(Exists(OutputPath("nothing-open.mpg")));
    EXPECT_EQ(0, Api()->OpenMpegFile(FixturePath("missing.mpg").c_str()));
}

TEST_F(EditorBehaviour, SegmentTableKeysAndRefusals)
{
    ASSERT_EQ(1, Api()->OpenMpegFile(m_file.c_str()));
    struct Row { double start, end; bool added; } rows[] = {
        {1.0, 1.0, false}, {1.0, 0.999, false}, {1.0, 1.001, true}, {0.0, 3.0, true}, {-1.0, 0.5, true},
    };
    int expectedKey = 1;
    for (const Row& r : rows)
    {
        MpegSegment s = Seg(r.start, r.end);
        int key = Api()->AddSegment(&s);
        if (r.added)
            EXPECT_EQ(expectedKey++, key) << r.start << " " << r.end;
        else
            EXPECT_EQ(-1, key) << r.start << " " << r.end;
    }
    EXPECT_EQ(3, Api()->GetSegmentCount());
    MpegSegment out = {};
    ASSERT_EQ(1, Api()->GetSegmentByKey(2, &out));
    EXPECT_EQ(0.0, out.start);
    EXPECT_EQ(3.0, out.end);
    ASSERT_EQ(1, Api()->GetSegmentByIndex(2, &out));
    EXPECT_EQ(-1.0, out.start);
    EXPECT_EQ(0, Api()->GetSegmentByIndex(3, &out));
    EXPECT_EQ(0, Api()->GetSegmentByKey(9, &out));
    EXPECT_EQ(1, Api()->RemoveSegment(2));
    EXPECT_EQ(0, Api()->RemoveSegment(2));
    ASSERT_EQ(1, Api()->GetSegmentByIndex(1, &out));
    EXPECT_EQ(-1.0, out.start);
    EXPECT_EQ(1, Api()->RemoveSegment(-1));
    EXPECT_EQ(0, Api()->GetSegmentCount());
    MpegSegment s = Seg(0.2, 0.4);
    EXPECT_EQ(4, Api()->AddSegment(&s));
}

TEST_F(EditorBehaviour, SaveWithoutRangeFailsAndLeavesNoFile)
{
    ASSERT_EQ(1, Api()->OpenMpegFile(m_file.c_str()));
    std::string out = OutputPath("no-range.mpg");
    EXPECT_EQ(-1, Api()->SaveSegments(out.c_str(), 0, 0));
    EXPECT_FALSE(Exists(out));
    // Both times inside one GOP give one position: the segment holds nothing.
    MpegSegment s = Seg(1.1, 1.2);
    ASSERT_GT(Api()->AddSegment(&s), 0);
    EXPECT_EQ(-1, Api()->SaveSegments(out.c_str(), 0, 0));
    EXPECT_FALSE(Exists(out));
}

TEST_F(EditorBehaviour, InvertedEmptyTableSavesWholeData)
{
    Session s;
    ASSERT_TRUE(s.Open(m_file));
    EXPECT_EQ(0, s.Save(OutputPath("whole.mpg"), 1, 0));
}

// Cuts at the GOP whose start code straddles the first two 512 KiB views.
TEST_F(EditorBehaviour, CutsAtTheGopAcrossTheViewBorder)
{
    Session s;
    ASSERT_TRUE(s.Open(FixturePath("m2-border.mpg")));
    CMpegStream* stream = s.m_shadow.GetStream();
    const __int64 border = s.m_shadow.GetReader()->GetWindowSize();
    double t = 0;
    const __int64 pack = stream->FindGopNear(border - 1000, &t, 1);
    ASSERT_GT(pack, 0);
    ASSERT_LT(pack, border);
    t -= stream->GetFirstTime();
    EXPECT_GT(s.Add(Seg(t, t + 0.9)), 0);
    EXPECT_EQ(0, s.Save(OutputPath("border-from.mpg"), 0, 0));
    Api()->RemoveSegment(-1);
    s.m_shadow.RemoveSegment(-1);
    EXPECT_GT(s.Add(Seg(t - 1.0, t)), 0);
    PositionRangeList r = stream->BuildRangeList();
    ASSERT_EQ(1u, r.size());
    EXPECT_EQ(pack, r[0].end);
    EXPECT_EQ(0, s.Save(OutputPath("border-to.mpg"), 0, 0));
    EXPECT_EQ(0, s.Save(OutputPath("border-around.mpg"), 1, 0));
}

TEST_F(EditorBehaviour, SaveIntoMissingFolderFailsCleanly)
{
    ASSERT_EQ(1, Api()->OpenMpegFile(m_file.c_str()));
    MpegSegment s = Seg(0.5, 2.0);
    ASSERT_GT(Api()->AddSegment(&s), 0);
    std::string out = OutputPath("no-such-folder/out.mpg");
    EXPECT_EQ(-1, Api()->SaveSegments(out.c_str(), 0, 0));
    EXPECT_EQ(-1, Api()->InsertMpegFile(m_file.c_str(), 1.0, 0, out.c_str(), 0));
    EXPECT_EQ(-1, Api()->SaveSegments(nullptr, 0, 0));
    EXPECT_EQ(-1, Api()->InsertMpegFile(nullptr, 1.0, 0, OutputPath("x.mpg").c_str(), 0));
    EXPECT_EQ(-1, Api()->InsertMpegFile(FixturePath("m1-closed.mpg").c_str(), 1.0, 0,
                                        OutputPath("kinds-differ.mpg").c_str(), 0));
    EXPECT_FALSE(Exists(OutputPath("kinds-differ.mpg")));
}

TEST_F(EditorBehaviour, LongPathsOpenAndSave)
{
    std::string dir = OutputDir() + "/a-folder-with-a-rather-long-name-for-recordings-of-the-evening-news";
    CreateDirectoryA(dir.c_str(), NULL);
    std::string src = dir + "/source-recording-with-a-long-name.mpg";
    ASSERT_GT(src.size(), 128u);
    ASSERT_TRUE(CopyFileA(m_file.c_str(), src.c_str(), FALSE));
    Session s;
    ASSERT_TRUE(s.Open(src));
    EXPECT_GT(s.Add(Seg(1.0, 2.0)), 0);
    std::string out = dir + "/the-edited-recording-with-a-long-name.mpg";
    EXPECT_EQ(0, s.Save(out, 0, 0));
    EXPECT_TRUE(Exists(out));
}

// Runs f with the C runtime's standard output sent to a file, and returns what it printed.
template <class F>
std::string CaptureStdout(F f)
{
    std::string path = Unix(OutputDir()) + "/stdout.txt";
    std::string winPath = OutputDir() + "/stdout.txt";
    fflush(stdout);
    int saved = _dup(1);
    int fd = _open(winPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC, 0666);
    _dup2(fd, 1);
    f();
    fflush(stdout);
    _dup2(saved, 1);
    _close(fd);
    _close(saved);
    std::ifstream in(winPath);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST_F(EditorBehaviour, RangeLinesCountInDecimal)
{
    Session s;
    ASSERT_TRUE(s.Open(FixturePath("m2-long.mpg")));
    // GOPs of 0.48 s: segments four GOPs apart never touch, so each is a range of its own.
    for (int i = 0; i < 12; ++i)
        s.Add(Seg(0.05 + i * 1.92, 0.2 + i * 1.92, 0, 1));
    PositionRangeList ranges = s.m_shadow.GetStream()->BuildRangeList();
    ASSERT_EQ(12u, ranges.size());
    int result = -2;
    std::string out = OutputPath("lines.mpg");
    std::string printed = CaptureStdout([&] { result = s.Save(out, 0, 0); });
    EXPECT_EQ(0, result);
    std::stringstream expected;
    for (size_t i = 1; i < ranges.size(); ++i)
        expected << i << " : " << std::hex << (DWORD)ranges[i].start << " -> " << (DWORD)ranges[i].end << std::dec
                 << "\n";
    EXPECT_EQ(expected.str(), printed);
}

TEST_F(EditorBehaviour, ClipProgressWithTinyTotalAndNoCallback)
{
    Session s;
    s.NewClips("tiny");
    // 5 ms asked for, the end taken at the next group: one group written for a tiny total.
    ASSERT_EQ(1, s.Clip(m_file, Seg(1.0, 1.005, 0, 1)));
    g_progress.clear();
    EXPECT_EQ(0, s.SaveClips(OutputPath("tiny-clip.mpg"), 0, OnProgress));
    ASSERT_FALSE(g_progress.empty());
    EXPECT_EQ(0, g_progress.front());
    EXPECT_EQ(100, g_progress.back());
    for (int p : g_progress)
    {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 100);
    }
    EXPECT_EQ(0, s.SaveClips(OutputPath("no-callback.mpg"), 0, nullptr));
    s.NewClips("done");
}

TEST_F(EditorBehaviour, NothingToWriteFailsAndLeavesNoFile)
{
    // A clip inside one group, a clip past the end, and the complement of the whole file: no
    // pack to write, so no file, whichever way it is asked for.
    Session s;
    s.NewClips("inside");
    ASSERT_EQ(1, s.Clip(m_file, Seg(1.0, 1.005)));
    std::string out = OutputPath("nothing-clip.mpg");
    g_progress.clear();
    EXPECT_EQ(-1, s.SaveClips(out, 0, OnProgress));
    EXPECT_FALSE(Exists(out));
    EXPECT_EQ(std::vector<int>({0}), g_progress) << "the save began and wrote nothing";
    s.NewClips("past");
    ASSERT_EQ(1, s.Clip(m_file, Seg(50.0, 60.0)));
    EXPECT_EQ(-1, s.SaveClips(out, 0, OnProgress));
    EXPECT_FALSE(Exists(out));
    s.NewClips("done");

    ASSERT_TRUE(s.Open(m_file));
    EXPECT_GT(s.Add(Seg(0.0, 60.0)), 0);
    out = OutputPath("nothing-inverted.mpg");
    EXPECT_EQ(-1, s.Save(out, 1, 0));
    EXPECT_FALSE(Exists(out));
}

TEST_F(EditorBehaviour, ClipListRefusals)
{
    g_progress.clear();
    EXPECT_EQ(-1, Api()->SaveClipList(OutputPath("empty-list.mpg").c_str(), 0, OnProgress));
    EXPECT_TRUE(g_progress.empty());
    EXPECT_FALSE(Exists(OutputPath("empty-list.mpg")));
    MpegSegment s = Seg(1.0, 2.0);
    EXPECT_EQ(-1, Api()->AddClip(nullptr, &s));
    EXPECT_EQ(-1, Api()->AddClip(m_file.c_str(), nullptr));
    MpegSegment backwards = Seg(2.0, 1.0);
    EXPECT_EQ(-1, Api()->AddClip(m_file.c_str(), &backwards));
    EXPECT_EQ(1, Api()->AddClip(m_file.c_str(), &s));
    EXPECT_EQ(-1, Api()->AddClip(FixturePath("m1-closed.mpg").c_str(), &s));
    EXPECT_EQ(-1, Api()->AddClip(FixturePath("missing.mpg").c_str(), &s));
    EXPECT_EQ(2, Api()->AddClip(m_file.c_str(), &s));
    EXPECT_EQ(-1, Api()->SaveClipList(nullptr, 0, OnProgress));
    EXPECT_EQ(-1, Api()->SaveClipList(OutputPath("no-folder/clips.mpg").c_str(), 0, OnProgress));
    EXPECT_FALSE(Exists(OutputPath("no-folder/clips.mpg")));
    Api()->ClearClipList();
    EXPECT_EQ(1, Api()->AddClip(FixturePath("m1-closed.mpg").c_str(), &s));
    Api()->ClearClipList();
}

} // namespace

std::string FixturePath(const std::string& name)
{
    return std::string(ONDRIX_BINARY_DIR) + "/parvane-editor-fx/" + name;
}

std::string OutputPath(const std::string& name)
{
    return OutputDir() + "/" + name;
}
