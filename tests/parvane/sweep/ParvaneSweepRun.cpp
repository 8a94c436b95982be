// Runs editing operations through Parvane.dll by ordinal, one per line of a plan, and lists every
// output with the source ranges it must hold (found by an editor of its own on the same calls),
// for seamcheck.py:
//   ParvaneSweepRun <plan> <manifest>
// Plan lines (times in seconds from each file's first time; paths as Windows sees them):
//   segments <out> <lost-B> <invert> <source> <start> <end> [<start> <end>]...
//   clips <out> <lost-B> <source> <start> <end> [<source> <start> <end>]...
//   insert <out> <lost-B> <source> <other> <at>
// Each line prints "case <line> <result> <ranges with bytes>"; an operation that returns -1 is
// listed with no range.
#include "tests/parvane/editor/EditorApi.h"

#include "parvane/MappedFile.h"
#include "parvane/StreamEditor.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Piece
{
    std::string source;
    __int64 start;
    __int64 end;
};

std::string Unix(const std::string& path)
{
    return path.compare(0, 2, "Z:") == 0 ? path.substr(2) : path;
}

MpegSegment Segment(double start, double end)
{
    MpegSegment s = {start, end, 0, 0};
    return s;
}

void NoProgress(int)
{
}

int Segments(const std::vector<std::string>& w, std::vector<Piece>* pieces)
{
    const EditorApi* api = Api();
    const std::string& out = w[1];
    const int lostB = atoi(w[2].c_str()), invert = atoi(w[3].c_str());
    CStreamEditor shadow;
    shadow.OpenFile(w[4].c_str());
    if (api->OpenMpegFile(w[4].c_str()) != 1 || !shadow.GetStream())
        return -2;
    for (size_t i = 5; i + 1 < w.size(); i += 2) {
        MpegSegment s = Segment(atof(w[i].c_str()), atof(w[i + 1].c_str()));
        api->AddSegment(&s);
        shadow.AddSegment(&s);
    }
    PositionRangeList ranges = shadow.GetStream()->BuildRangeList();
    if (invert)
        ranges = shadow.GetStream()->InvertRanges(ranges);
    for (const PositionRange& r : ranges)
        pieces->push_back({w[4], r.start, r.end});
    const int result = api->SaveSegments(out.c_str(), invert, lostB);
    api->CloseMpegFile();
    return result;
}

int Clips(const std::vector<std::string>& w, std::vector<Piece>* pieces)
{
    const EditorApi* api = Api();
    const int lostB = atoi(w[2].c_str());
    CStreamEditor shadow;
    api->NewClipList("sweep");
    shadow.SetName("sweep");
    for (size_t i = 3; i + 2 < w.size(); i += 3) {
        MpegSegment s = Segment(atof(w[i + 1].c_str()), atof(w[i + 2].c_str()));
        api->AddClip(w[i].c_str(), &s);
        shadow.AddClip(w[i].c_str(), &s);
    }
    for (const ClipSegment& c : shadow.GetClips())
        pieces->push_back({c.stream->GetReader()->GetPath(), c.startPosition, c.endPosition});
    const int result = api->SaveClipList(w[1].c_str(), lostB, &NoProgress);
    api->ClearClipList();
    return result;
}

int Insert(const std::vector<std::string>& w, std::vector<Piece>* pieces)
{
    const EditorApi* api = Api();
    const int lostB = atoi(w[2].c_str());
    const std::string &path = w[3], &other = w[4];
    double at = atof(w[5].c_str());
    CStreamEditor shadow;
    shadow.OpenFile(path.c_str());
    CMpegStream* self = shadow.GetStream();
    if (api->OpenMpegFile(path.c_str()) != 1 || !self)
        return -2;
    double t = at;
    const __int64 position = self->TimeToPosition(&t, 0);
    CMappedFile reader(other.c_str());
    CMpegStream* second = CStreamEditor::MakeStream(self->GetKind(), &reader);
    if (second && second->IsValid()) {
        if (position <= self->GetDataStart()) {
            pieces->push_back({other, second->GetDataStart(), second->GetLastGopPosition()});
            pieces->push_back({path, self->GetDataStart(), self->GetFileSize()});
        } else if (position >= self->GetFileSize()) {
            pieces->push_back({path, self->GetDataStart(), self->GetLastGopPosition()});
            pieces->push_back({other, second->GetDataStart(), second->GetFileSize()});
        } else {
            pieces->push_back({path, self->GetDataStart(), position});
            pieces->push_back({other, second->GetDataStart(), second->GetLastGopPosition()});
            pieces->push_back({path, position, self->GetFileSize()});
        }
    }
    delete second;
    const int result = api->InsertMpegFile(other.c_str(), at, 0, w[1].c_str(), lostB);
    api->CloseMpegFile();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || !Api()) {
        fprintf(stderr, "usage: ParvaneSweepRun plan manifest (Parvane.dll must load)\n");
        return 2;
    }
    std::ifstream plan(argv[1]);
    std::ofstream manifest(argv[2], std::ios::trunc);
    std::string text;
    int line = 0;
    while (std::getline(plan, text)) {
        ++line;
        std::istringstream words(text);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.size() < 2)
            continue;
        DeleteFileA(w[1].c_str());
        std::vector<Piece> pieces;
        int result = -2;
        if (w[0] == "segments" && w.size() >= 7)
            result = Segments(w, &pieces);
        else if (w[0] == "clips" && w.size() >= 6)
            result = Clips(w, &pieces);
        else if (w[0] == "insert" && w.size() == 6)
            result = Insert(w, &pieces);
        int written = 0;
        for (const Piece& p : pieces)
            written += p.start < p.end;
        printf("case %d %d %d\n", line, result, written);
        fflush(stdout);
        manifest << Unix(w[1]) << '\t' << (w.size() > 2 ? atoi(w[2].c_str()) : 0);
        if (result == 0) {
            for (const Piece& p : pieces) {
                if (p.start < p.end)
                    manifest << '\t' << Unix(p.source) << '@' << p.start << '@' << p.end;
            }
        }
        manifest << '\n';
    }
    return 0;
}
