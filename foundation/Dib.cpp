#include "foundation/Dib.h"

#include <string.h>

#include <algorithm>

#include <vector>

namespace {

const int kHeaderBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

// ImageLoad.dll, bound by name on first use and kept for the life of the process.
struct PictureLibrary
{
    typedef int(WINAPI* FileTypeFn)(const char*);
    typedef HGLOBAL(WINAPI* LoadFn)(const char*);
    typedef int(WINAPI* ErrorFn)(void);
    typedef int(WINAPI* InfoFn)(const char*, PICINFO*);
    typedef int(WINAPI* SaveFn)(const char*, HGLOBAL);
    typedef int(WINAPI* SaveJpgFn)(const char*, HGLOBAL, int);
    typedef int(WINAPI* ReduceFn)(const BYTE*, int, int, int, int, RGBQUAD*);

    HMODULE module = NULL;
    FileTypeFn fileType = NULL;
    LoadFn load[7] = {};  // by FileType numbering
    InfoFn info[7] = {};
    ErrorFn lastError = NULL;
    SaveFn save[7] = {};  // by the save numbering (by extension); 1 (JPEG) is saveJpg
    SaveJpgFn saveJpg = NULL;
    ReduceFn popularity = NULL;
    ReduceFn medianCut = NULL;

    PictureLibrary()
    {
        module = LoadLibraryA("ImageLoad.dll");
        if (!module)
            return;
        fileType = (FileTypeFn)Proc("FileType");
        lastError = (ErrorFn)Proc("GetLastPicLibError");
        const char* loaders[7] = { NULL, "LoadBMP", "LoadGIF", "LoadPCX", "LoadTGA", "LoadJPG", "LoadTIF" };
        const char* infos[7] = { NULL,         "GetBMPInfo", "GetGIFInfo", "GetPCXInfo",
                                 "GetTGAInfo", "GetJPGInfo", "GetTIFInfo" };
        const char* savers[7] = { NULL, NULL, "SaveBMP", "SaveGIF", "SavePCX", "SaveTGA", "SaveTIF" };
        for (int i = 1; i < 7; ++i)
        {
            load[i] = (LoadFn)Proc(loaders[i]);
            info[i] = (InfoFn)Proc(infos[i]);
            if (savers[i])
                save[i] = (SaveFn)Proc(savers[i]);
        }
        saveJpg = (SaveJpgFn)Proc("SaveJPG");
        popularity = (ReduceFn)Proc("Popularity");
        medianCut = (ReduceFn)Proc("MedianCut");
    }
    FARPROC Proc(const char* name) { return GetProcAddress(module, name); }
    int Error() { return lastError ? lastError() : CDib::kUnknownFile; }
};

PictureLibrary& Library()
{
    static PictureLibrary library;
    return library;
}

int ColoursFor(int bits, int planes)
{
    if (bits >= 16)
        return 0;
    int colours = 1 << bits;
    if (planes > 1)
        colours <<= (planes - 1);
    return colours;
}

DWORD GetRaw(const BYTE* row, int x, int bits)
{
    switch (bits)
    {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    case 8:
        return row[x];
    case 16:
        return row[2 * x] | (row[2 * x + 1] << 8);
    case 24:
        return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    default:
        return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) | ((DWORD)row[4 * x + 3] << 24);
    }
}

void PutRaw(BYTE* row, int x, int bits, DWORD v)
{
    switch (bits)
    {
    case 1:
    {
        const BYTE mask = BYTE(0x80 >> (x & 7));
        row[x >> 3] = BYTE((row[x >> 3] & ~mask) | (v & 1 ? mask : 0));
        break;
    }
    case 4:
    {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = BYTE((row[x >> 1] & ~(15 << shift)) | ((v & 15) << shift));
        break;
    }
    case 8:
        row[x] = BYTE(v);
        break;
    case 16:
        row[2 * x] = BYTE(v);
        row[2 * x + 1] = BYTE(v >> 8);
        break;
    case 24:
        row[3 * x] = BYTE(v);
        row[3 * x + 1] = BYTE(v >> 8);
        row[3 * x + 2] = BYTE(v >> 16);
        break;
    default:
        memcpy(row + 4 * x, &v, 4);
        break;
    }
}

RGBQUAD RawToColour(DWORD raw, int bits, const RGBQUAD* palette)
{
    if (bits <= 8)
        return palette[raw];
    if (bits == 16)
    {
        const BYTE r = (raw >> 10) & 31, g = (raw >> 5) & 31, b = raw & 31;
        return RGBQUAD{ BYTE(b << 3 | b >> 2), BYTE(g << 3 | g >> 2), BYTE(r << 3 | r >> 2), 0 };
    }
    return RGBQUAD{ BYTE(raw), BYTE(raw >> 8), BYTE(raw >> 16), 0 };
}

DWORD ColourToRaw(RGBQUAD c, int bits)
{
    if (bits == 16)
        return ((c.rgbRed >> 3) << 10) | ((c.rgbGreen >> 3) << 5) | (c.rgbBlue >> 3);
    return c.rgbBlue | (c.rgbGreen << 8) | (c.rgbRed << 16);
}

bool KnownDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A zeroed block of the given shape; `palette` gives the first `given` of its 2^bits entries.
HGLOBAL NewBlock(int width, int height, int bits, const RGBQUAD* palette, int given)
{
    const int colours = ColoursFor(bits, 1);
    const DWORD paletteBytes = colours * sizeof(RGBQUAD);
    const DWORD imageBytes = (DWORD)CDib::RowBytes(width, bits) * height;
    const DWORD total = kHeaderBytes + paletteBytes + imageBytes;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
    if (!block)
        return NULL;
    BYTE* p = (BYTE*)GlobalLock(block);
    if (!p)
    {
        GlobalFree(block);
        return NULL;
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfSize = total;
    file.bfOffBits = kHeaderBytes + paletteBytes;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = (WORD)bits;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 2835;
    info.biClrUsed = colours;
    memcpy(p, &file, sizeof(file));
    memcpy(p + sizeof(file), &info, sizeof(info));
    if (palette && given > 0)
        memcpy(p + kHeaderBytes, palette, std::min(given, colours) * sizeof(RGBQUAD));
    GlobalUnlock(block);
    return block;
}

// Locked view of a block in the layout above.
struct BlockView
{
    explicit BlockView(HGLOBAL block) : block(block), base((BYTE*)GlobalLock(block)) {}
    ~BlockView()
    {
        if (base)
            GlobalUnlock(block);
    }
    BITMAPINFOHEADER* Info() const { return (BITMAPINFOHEADER*)(base + sizeof(BITMAPFILEHEADER)); }
    RGBQUAD* Palette() const { return (RGBQUAD*)(base + kHeaderBytes); }
    BYTE* Bits() const { return base + kHeaderBytes + ColoursFor(Info()->biBitCount, Info()->biPlanes) * 4; }
    BYTE* Row(int fromTop) const
    {
        const BITMAPINFOHEADER* info = Info();
        return Bits() + (size_t)(info->biHeight - 1 - fromTop) * CDib::RowBytes(info->biWidth, info->biBitCount);
    }
    HGLOBAL block;
    BYTE* base;
};

const RGBQUAD kBaseColours[16] = {
    { 255, 255, 255, 0 }, { 0, 0, 0, 0 },       { 0, 0, 255, 0 },     { 255, 0, 0, 0 },
    { 0, 255, 0, 0 },     { 150, 150, 150, 0 }, { 0, 255, 255, 0 },   { 150, 150, 0, 0 },
    { 150, 0, 150, 0 },   { 0, 150, 150, 0 },   { 255, 255, 0, 0 },   { 255, 0, 255, 0 },
    { 120, 120, 255, 0 }, { 120, 255, 120, 0 }, { 255, 120, 120, 0 }, { 90, 90, 90, 0 },
};

}  // namespace

int CDib::RowBytes(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

CDib::CDib()
    : m_status(kOk),
      m_screenPlanes(0),
      m_screenBits(0),
      m_paletteBytes(0),
      m_width(0),
      m_height(0),
      m_planes(0),
      m_bitCount(0),
      m_colorCount(0),
      m_fileType(0),
      m_x(0),
      m_y(0),
      m_jpegQuality(100),
      m_reduceMode(kReduceFixed),
      m_block(NULL),
      m_fileName(NULL),
      m_work(NULL)
{
}

CDib::CDib(const char* fileName, HDC dc, int x, int y) : CDib()
{
    Load(fileName, dc, x, y);
}

CDib::~CDib()
{
    Clear();
}

BOOL CDib::Fail(int status)
{
    m_status = status;
    return FALSE;
}

void CDib::Clear()
{
    if (m_block)
        GlobalFree(m_block);
    m_block = NULL;
    delete[] m_work;
    m_work = NULL;
    delete[] m_fileName;
    m_fileName = NULL;
    m_palette.DeleteObject();
    m_width = m_height = m_planes = m_bitCount = m_colorCount = m_paletteBytes = 0;
}

void CDib::SetFileName(const char* fileName)
{
    if (fileName == m_fileName)
        return;
    delete[] m_fileName;
    m_fileName = NULL;
    if (fileName)
    {
        m_fileName = new char[strlen(fileName) + 1];
        strcpy(m_fileName, fileName);
    }
}

BOOL CDib::ReadFields()
{
    const SIZE_T size = GlobalSize(m_block);
    BlockView view(m_block);
    if (!view.base)
        return Fail(kLockFailed);
    const BITMAPINFOHEADER* info = view.Info();
    // A block not in the expected layout is refused rather than read past its end.
    if (size < (SIZE_T)kHeaderBytes || info->biSize != sizeof(BITMAPINFOHEADER) || !KnownDepth(info->biBitCount) ||
        info->biWidth <= 0 || info->biHeight <= 0 || info->biPlanes != 1)
        return Fail(kNoImage);
    const int colours = ColoursFor(info->biBitCount, info->biPlanes);
    const ULONGLONG needed =
        kHeaderBytes + colours * 4ull + (ULONGLONG)RowBytes(info->biWidth, info->biBitCount) * info->biHeight;
    if (needed > size)
        return Fail(kNoImage);
    m_width = info->biWidth;
    m_height = info->biHeight;
    m_planes = info->biPlanes;
    m_bitCount = info->biBitCount;
    m_colorCount = colours;
    m_paletteBytes = colours * 4;
    return TRUE;
}

BOOL CDib::BuildPalette()
{
    m_palette.DeleteObject();
    HDC screen = GetDC(NULL);
    if (screen)
    {
        m_screenPlanes = GetDeviceCaps(screen, PLANES);
        m_screenBits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(NULL, screen);
    }
    if (m_bitCount > 8)
        return TRUE;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + m_colorCount * sizeof(PALETTEENTRY));
    LOGPALETTE* logPalette = (LOGPALETTE*)buffer.data();
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = (WORD)m_colorCount;
    {
        BlockView view(m_block);
        if (!view.base)
            return Fail(kLockFailed);
        const RGBQUAD* colours = view.Palette();
        for (int i = 0; i < m_colorCount; ++i)
        {
            logPalette->palPalEntry[i].peRed = colours[i].rgbRed;
            logPalette->palPalEntry[i].peGreen = colours[i].rgbGreen;
            logPalette->palPalEntry[i].peBlue = colours[i].rgbBlue;
            logPalette->palPalEntry[i].peFlags = 0;
        }
    }
    if (!m_palette.CreatePalette(logPalette))
        return Fail(kNoPalette);
    return TRUE;
}

// Takes the block as the image; on a malformed block the image is left empty.
BOOL CDib::Adopt(HGLOBAL block)
{
    if (m_block && m_block != block)
        GlobalFree(m_block);
    m_block = block;
    if (!ReadFields())
    {
        const int status = m_status;
        GlobalFree(m_block);
        m_block = NULL;
        m_width = m_height = m_planes = m_bitCount = m_colorCount = m_paletteBytes = 0;
        m_palette.DeleteObject();
        return Fail(status);
    }
    if (!BuildPalette())
        return FALSE;
    m_status = kOk;
    return TRUE;
}

BOOL CDib::Load(const char* fileName, HDC dc, int x, int y)
{
    Clear();
    PictureLibrary& library = Library();
    const int type = (fileName && library.fileType) ? library.fileType(fileName) : 0;
    if (type < 1 || type > 6 || !library.load[type])
        return Fail(kUnknownFile);
    m_fileType = type;
    SetFileName(fileName);
    HGLOBAL block = library.load[type](fileName);
    if (!block)
        return Fail(library.Error());
    if (!Adopt(block))
        return FALSE;
    if (dc)
        Draw(dc, x, y);
    m_status = kOk;
    return TRUE;
}

BOOL CDib::GetInfo(const char* fileName, PICINFO* info)
{
    PictureLibrary& library = Library();
    const int type = (fileName && library.fileType) ? library.fileType(fileName) : 0;
    if (type < 1 || type > 6 || !library.info[type])
        return Fail(kUnknownFile);
    if (!library.info[type](fileName, info))
        return Fail(library.Error());
    m_status = kOk;
    return TRUE;
}

int CDib::TypeFromExtension(const char* fileName)
{
    static const char* const kExtensions[6] = { ".JPG", ".BMP", ".GIF", ".PCX", ".TGA", ".TIF" };
    // Names shorter than an extension have no last four characters to compare.
    if (!fileName || strlen(fileName) < 4)
        return -1;
    const char* tail = fileName + strlen(fileName) - 4;
    for (int i = 0; i < 6; ++i)
        if (lstrcmpiA(tail, kExtensions[i]) == 0)
            return i + 1;
    return -1;
}

BOOL CDib::Save(const char* fileName, int type)
{
    if (!m_block)
        return Fail(kNoImage);
    if (type == -1)
        type = TypeFromExtension(fileName);
    if (type < 1 || type > 6)
        return FALSE;
    SetFileName(fileName);
    PictureLibrary& library = Library();
    int result = 0;
    if (type == 1 && library.saveJpg)
        result = library.saveJpg(fileName, m_block, m_jpegQuality);
    else if (type != 1 && library.save[type])
        result = library.save[type](fileName, m_block);
    else
        return Fail(kUnknownFile);
    m_status = result ? kOk : library.Error();
    return result;
}

BOOL CDib::Draw(HDC dc, int x, int y)
{
    if (!m_block)
        return Fail(kNoImage);
    if (x != -1)
        m_x = x;
    if (y != -1)
        m_y = y;
    BlockView view(m_block);
    if (!view.base)
        return Fail(kLockFailed);
    const int lines = StretchDIBits(dc, m_x, m_y, m_width, m_height, 0, 0, m_width, m_height, view.Bits(),
                                    (const BITMAPINFO*)view.Info(), DIB_RGB_COLORS, SRCCOPY);
    if (lines != m_height)
        return Fail(kDrawFailed);
    m_status = kOk;
    return TRUE;
}

BOOL CDib::SelectPalette(HDC dc)
{
    if (!m_block)
        return Fail(kNoImage);
    if (!m_palette.GetSafeHandle())
        return Fail(kNoPalette);
    ::SelectPalette(dc, m_palette, FALSE);
    RealizePalette(dc);
    m_status = kOk;
    return TRUE;
}

BOOL CDib::GetPalette(RGBQUAD* buffer)
{
    if (!m_block)
        return Fail(kNoImage);
    if (m_colorCount < 1 || m_colorCount > 256 || !buffer)
        return Fail(kBadColorCount);
    BlockView view(m_block);
    if (!view.base)
        return Fail(kLockFailed);
    memcpy(buffer, view.Palette(), m_colorCount * sizeof(RGBQUAD));
    m_status = kOk;
    return TRUE;
}

RGBQUAD* CDib::CopyPalette()
{
    if (!m_block)
    {
        Fail(kNoImage);
        return NULL;
    }
    if (m_colorCount < 1 || m_colorCount > 256)
    {
        Fail(kBadColorCount);
        return NULL;
    }
    RGBQUAD* table = new RGBQUAD[m_colorCount];
    if (!GetPalette(table))
    {
        delete[] table;
        return NULL;
    }
    return table;
}

BOOL CDib::SetPaletteEntries(int first, int count, const RGBQUAD* colours)
{
    if (!m_block)
        return Fail(kNoImage);
    if (first < 0 || count < 0 || first + count > m_colorCount || !colours)
        return Fail(kBadColorCount);
    {
        BlockView view(m_block);
        if (!view.base)
            return Fail(kLockFailed);
        memcpy(view.Palette() + first, colours, count * sizeof(RGBQUAD));
    }
    return BuildPalette() ? (m_status = kOk, TRUE) : FALSE;
}

BYTE* CDib::Lock(int* rowBytes, int bits, int* rowBytesForBits, int width)
{
    if (!m_block)
    {
        Fail(kNoImage);
        return NULL;
    }
    BYTE* base = (BYTE*)GlobalLock(m_block);
    if (!base)
    {
        Fail(kLockFailed);
        return NULL;
    }
    if (rowBytes)
        *rowBytes = RowBytes(m_width, m_bitCount);
    if (rowBytesForBits)
        *rowBytesForBits = RowBytes(width == -1 ? m_width : width, bits);
    m_status = kOk;
    return base + kHeaderBytes + m_paletteBytes;
}

void CDib::Unlock()
{
    if (m_block)
        GlobalUnlock(m_block);
}

BOOL CDib::Create(int width, int height, int bits)
{
    Clear();
    if (width <= 0 || height <= 0 || !KnownDepth(bits))
        return Fail(kNoImage);
    std::vector<RGBQUAD> ramp(ColoursFor(bits, 1));
    for (size_t i = 0; i < ramp.size(); ++i)
    {
        const BYTE level = BYTE(i * 255 / (ramp.size() - 1));
        ramp[i] = RGBQUAD{ level, level, level, 0 };
    }
    HGLOBAL block = NewBlock(width, height, bits, ramp.data(), (int)ramp.size());
    if (!block)
        return Fail(kNoMemory);
    return Adopt(block);
}

RGBQUAD CDib::GetPixelColor(int x, int fromTop) const
{
    if (!m_block || x < 0 || x >= m_width || fromTop < 0 || fromTop >= m_height)
        return RGBQUAD{ 0, 0, 0, 0 };
    BlockView view(m_block);
    return RawToColour(GetRaw(view.Row(fromTop), x, m_bitCount), m_bitCount, view.Palette());
}

// Builds the picture anew at width x height, each new pixel (row, column from the top) taken from
// the old position that `source` gives; depth and palette stay.
template <class Source>
BOOL CDib::Remap(int width, int height, Source source)
{
    HGLOBAL block;
    {
        BlockView old(m_block);
        if (!old.base)
            return Fail(kLockFailed);
        block = NewBlock(width, height, m_bitCount, old.Palette(), m_colorCount);
        if (!block)
            return Fail(kNoMemory);
        BlockView made(block);
        if (!made.base)
        {
            GlobalFree(block);
            return Fail(kLockFailed);
        }
        for (int r = 0; r < height; ++r)
        {
            BYTE* to = made.Row(r);
            for (int c = 0; c < width; ++c)
            {
                int oldRow, oldColumn;
                source(r, c, &oldRow, &oldColumn);
                PutRaw(to, c, m_bitCount, GetRaw(old.Row(oldRow), oldColumn, m_bitCount));
            }
        }
    }
    return Adopt(block);
}

BOOL CDib::Crop(int left, int top, int right, int bottom)
{
    if (!m_block)
        return Fail(kNoImage);
    if (left == -1)
        left = 0;
    if (top == -1)
        top = 0;
    if (right == -1)
        right = m_width - 1;
    if (bottom == -1)
        bottom = m_height - 1;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    left = std::max(0, std::min(left, m_width - 1));
    right = std::max(0, std::min(right, m_width - 1));
    top = std::max(0, std::min(top, m_height - 1));
    bottom = std::max(0, std::min(bottom, m_height - 1));
    if (left == 0 && top == 0 && right == m_width - 1 && bottom == m_height - 1)
    {
        m_status = kOk;
        return TRUE;
    }
    return Remap(right - left + 1, bottom - top + 1, [&](int r, int c, int* sr, int* sc) {
        *sr = top + r;
        *sc = left + c;
    });
}

BOOL CDib::Resize(int width, int height)
{
    if (!m_block)
        return Fail(kNoImage);
    if (width <= 0 || height <= 0)
        return Fail(kNoMemory);
    if (width == m_width && height == m_height)
    {
        m_status = kOk;
        return TRUE;
    }
    const int oldWidth = m_width, oldHeight = m_height;
    return Remap(width, height, [&](int r, int c, int* sr, int* sc) {
        *sr = (int)((long long)r * oldHeight / height);
        *sc = (int)((long long)c * oldWidth / width);
    });
}

BOOL CDib::Rotate(int angle)
{
    if (!m_block)
        return Fail(kNoImage);
    if (angle != 90 && angle != 180 && angle != 270)
        return Fail(kBadAngle);
    m_status = kRotating;
    const int oldWidth = m_width, oldHeight = m_height;
    BOOL done;
    if (angle == 90)
        done = Remap(oldHeight, oldWidth, [&](int r, int c, int* sr, int* sc) {
            *sr = oldHeight - 1 - c;
            *sc = r;
        });
    else if (angle == 270)
        done = Remap(oldHeight, oldWidth, [&](int r, int c, int* sr, int* sc) {
            *sr = c;
            *sc = oldWidth - 1 - r;
        });
    else
        done = FlipVertical() && Mirror();
    if (done)
        m_status = kOk;
    return done;
}

BOOL CDib::FlipVertical()
{
    if (!m_block)
        return Fail(kNoImage);
    const int height = m_height;
    return Remap(m_width, m_height, [&](int r, int c, int* sr, int* sc) {
        *sr = height - 1 - r;
        *sc = c;
    });
}

BOOL CDib::Mirror()
{
    if (!m_block)
        return Fail(kNoImage);
    const int width = m_width;
    return Remap(m_width, m_height, [&](int r, int c, int* sr, int* sc) {
        *sr = r;
        *sc = width - 1 - c;
    });
}

int CDib::FindNearestColor(int red, int green, int blue, const RGBQUAD* palette, int count)
{
    int best = 0;
    long limit = 100000;
    for (int i = 0; i < count; ++i)
    {
        const long dr = red - palette[i].rgbRed, dg = green - palette[i].rgbGreen, db = blue - palette[i].rgbBlue;
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < limit)
        {
            limit = distance;
            best = i;
            if (distance < 2)
                break;
        }
    }
    return best;
}

void CDib::MakeFixedPalette(int count, RGBQUAD* palette)
{
    const int groups = (count + 15) / 16;
    for (int i = 0; i < count; ++i)
    {
        const int group = i / 16;
        const RGBQUAD& base = kBaseColours[i % 16];
        palette[i].rgbRed = BYTE(base.rgbRed * (groups - group) / groups);
        palette[i].rgbGreen = BYTE(base.rgbGreen * (groups - group) / groups);
        palette[i].rgbBlue = BYTE(base.rgbBlue * (groups - group) / groups);
        palette[i].rgbReserved = 0;
    }
}

// A palette for the current true-colour picture by the colour-reduction mode.
BOOL CDib::ReducePalette(int count, RGBQUAD* palette)
{
    PictureLibrary& library = Library();
    PictureLibrary::ReduceFn reduce = m_reduceMode == kReducePopularity  ? library.popularity
                                      : m_reduceMode == kReduceMedianCut ? library.medianCut
                                                                         : NULL;
    if (reduce)
    {
        const int rowBytes = RowBytes(m_width, 24);
        std::vector<BYTE> rgb((size_t)rowBytes * m_height);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
            {
                const RGBQUAD c = GetPixelColor(x, y);
                BYTE* p = &rgb[(size_t)y * rowBytes + 3 * x];
                p[0] = c.rgbBlue;
                p[1] = c.rgbGreen;
                p[2] = c.rgbRed;
            }
        if (reduce(rgb.data(), m_width, m_height, rowBytes, count, palette) > 0)
            return TRUE;
    }
    MakeFixedPalette(count, palette);
    return TRUE;
}

BOOL CDib::SetBitDepth(int bits)
{
    if (!m_block)
        return Fail(kNoImage);
    if (!KnownDepth(bits))
        return Fail(kBadColorCount);
    if (bits == m_bitCount)
    {
        m_status = kOk;
        return TRUE;
    }
    const int newColours = ColoursFor(bits, 1);
    std::vector<RGBQUAD> palette(newColours);
    std::vector<RGBQUAD> oldPalette(m_colorCount);
    if (m_colorCount)
        GetPalette(oldPalette.data());
    if (newColours)
    {
        if (m_bitCount >= 16)
            ReducePalette(newColours, palette.data());
        else
            for (int i = 0; i < newColours && i < m_colorCount; ++i)
                palette[i] = oldPalette[i];
    }
    HGLOBAL block = NewBlock(m_width, m_height, bits, palette.data(), newColours);
    if (!block)
        return Fail(kNoMemory);
    {
        BlockView old(m_block);
        BlockView made(block);
        if (!old.base || !made.base)
        {
            GlobalFree(block);
            return Fail(kLockFailed);
        }
        DWORD lastKey = 0xFFFFFFFF;
        int lastIndex = 0;
        for (int r = 0; r < m_height; ++r)
        {
            const BYTE* from = old.Row(r);
            BYTE* to = made.Row(r);
            for (int c = 0; c < m_width; ++c)
            {
                const DWORD raw = GetRaw(from, c, m_bitCount);
                if (newColours && m_colorCount && (int)raw < newColours)
                {
                    PutRaw(to, c, bits, raw);  // between palette depths an index that still exists stays
                    continue;
                }
                const RGBQUAD colour = RawToColour(raw, m_bitCount, oldPalette.data());
                if (!newColours)
                {
                    PutRaw(to, c, bits, ColourToRaw(colour, bits));
                    continue;
                }
                const DWORD key = colour.rgbRed | (colour.rgbGreen << 8) | (colour.rgbBlue << 16);
                if (key != lastKey)
                {
                    lastKey = key;
                    lastIndex =
                        FindNearestColor(colour.rgbRed, colour.rgbGreen, colour.rgbBlue, palette.data(), newColours);
                }
                PutRaw(to, c, bits, lastIndex);
            }
        }
    }
    return Adopt(block);
}

BOOL CDib::CopyFrom(const CDib& other)
{
    if (&other == this)
        return TRUE;
    if (!other.m_block)
    {
        Clear();
        return Fail(kNoImage);
    }
    const SIZE_T size = GlobalSize(other.m_block);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return Fail(kNoMemory);
    {
        BlockView from(other.m_block);
        BlockView to(block);
        if (!from.base || !to.base)
        {
            GlobalFree(block);
            return Fail(kLockFailed);
        }
        memcpy(to.base, from.base, size);
    }
    Clear();
    SetFileName(other.m_fileName);
    m_fileType = other.m_fileType;
    return Adopt(block);
}
