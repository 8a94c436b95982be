#include "platform/standins/imageload/ImageLoad.h"
#include "platform/standins/imageload/PicBlock.h"

#include <objbase.h>
#include <wincodec.h>

#include <string.h>

namespace {

template <class T>
class Ref {
public:
  Ref() : p(NULL) {}
  ~Ref() {
    if (p)
      p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
  operator T*() const { return p; }
  T* p;

private:
  Ref(const Ref&);
  Ref& operator=(const Ref&);
};

// COM for the length of one call; a thread already in another apartment keeps it.
class ComScope {
public:
  ComScope() : m_hr(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(m_hr))
      CoUninitialize();
  }

private:
  HRESULT m_hr;
};

BOOL Factory(IWICImagingFactory** factory) {
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              (void**)factory))) {
    PicSetError(PIC_ERR_CODEC);
    return FALSE;
  }
  return TRUE;
}

BOOL ReadPalette(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, IWICBitmapDecoder* decoder,
                 PicImage* image) {
  Ref<IWICPalette> palette;
  if (FAILED(factory->CreatePalette(&palette)))
    return FALSE;
  if (FAILED(frame->CopyPalette(palette)) && FAILED(decoder->CopyPalette(palette)))
    return FALSE;
  WICColor colours[256];
  UINT count = 0;
  if (FAILED(palette->GetColors(256, colours, &count)))
    return FALSE;
  for (UINT i = 0; i < count && i < image->palette.size(); ++i)
    image->palette[i] = RGBQUAD{BYTE(colours[i]), BYTE(colours[i] >> 8), BYTE(colours[i] >> 16), 0};
  return TRUE;
}

BOOL CopyRows(IWICBitmapSource* source, PicImage* image, int sourceBits) {
  const UINT stride = (UINT)PicRowBytes(image->width, sourceBits);
  std::vector<BYTE> rows((size_t)stride * image->height);
  if (FAILED(source->CopyPixels(NULL, stride, (UINT)rows.size(), rows.data()))) {
    PicSetError(PIC_ERR_CODEC);
    return FALSE;
  }
  for (int y = 0; y < image->height; ++y) {
    const BYTE* src = rows.data() + (size_t)y * stride;
    BYTE* dst = image->Row(y);
    if (sourceBits == image->bits) {
      memcpy(dst, src, stride);
      continue;
    }
    // 2-bit indexed rows widen to 8 bits.
    for (int x = 0; x < image->width; ++x)
      dst[x] = (src[x / 4] >> (6 - 2 * (x % 4))) & 3;
  }
  return TRUE;
}

BOOL WicLoad(const char* fileName, PicImage* image) {
  if (!fileName) {
    PicSetError(PIC_ERR_ARGUMENT);
    return FALSE;
  }
  if (GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES) {
    PicSetError(PIC_ERR_OPEN);
    return FALSE;
  }
  ComScope com;
  Ref<IWICImagingFactory> factory;
  if (!Factory(&factory))
    return FALSE;
  Ref<IWICBitmapDecoder> decoder;
  const std::wstring wide = PicWide(fileName);
  if (FAILED(factory->CreateDecoderFromFilename(wide.c_str(), NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder))) {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  Ref<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  WICPixelFormatGUID format;
  if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      FAILED(frame->GetPixelFormat(&format))) {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  int indexedBits = 0;
  if (IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed))
    indexedBits = 1;
  else if (IsEqualGUID(format, GUID_WICPixelFormat2bppIndexed))
    indexedBits = 2;
  else if (IsEqualGUID(format, GUID_WICPixelFormat4bppIndexed))
    indexedBits = 4;
  else if (IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed))
    indexedBits = 8;
  if (indexedBits) {
    const int bits = indexedBits == 2 ? 8 : indexedBits;
    if (!image->Allocate((int)width, (int)height, bits)) {
      PicSetError(PIC_ERR_MEMORY);
      return FALSE;
    }
    if (!ReadPalette(factory, frame, decoder, image)) {
      PicSetError(PIC_ERR_FORMAT);
      return FALSE;
    }
    return CopyRows(frame, image, indexedBits);
  }
  Ref<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame, &converted))) {
    PicSetError(PIC_ERR_UNSUPPORTED);
    return FALSE;
  }
  if (!image->Allocate((int)width, (int)height, 24)) {
    PicSetError(PIC_ERR_MEMORY);
    return FALSE;
  }
  return CopyRows(converted, image, 24);
}

HGLOBAL WicLoadBlock(const char* fileName) {
  PicImage image;
  if (!WicLoad(fileName, &image))
    return NULL;
  return PicToBlock(image);
}

// GIF holds only indexed pictures: deeper ones are reduced with the median cut first.
PicImage ReduceTo8(const PicImage& image) {
  const PicImage rgb = image.To24();
  PicImage out;
  if (!out.Allocate(image.width, image.height, 8))
    return out;
  std::vector<RGBQUAD> palette(256);
  const int count = MedianCut(rgb.pixels.data(), rgb.width, rgb.height, rgb.rowBytes, 256, palette.data());
  for (int i = 0; i < count; ++i)
    out.palette[i] = palette[i];
  for (int y = 0; y < image.height; ++y) {
    const BYTE* src = rgb.Row(y);
    BYTE* dst = out.Row(y);
    for (int x = 0; x < image.width; ++x) {
      int best = 0;
      long bestDistance = 0x7FFFFFFF;
      for (int i = 0; i < count; ++i) {
        const long db = src[3 * x] - palette[i].rgbBlue, dg = src[3 * x + 1] - palette[i].rgbGreen,
                   dr = src[3 * x + 2] - palette[i].rgbRed;
        const long d = db * db + dg * dg + dr * dr;
        if (d < bestDistance) {
          bestDistance = d;
          best = i;
          if (!d)
            break;
        }
      }
      dst[x] = (BYTE)best;
    }
  }
  return out;
}

BOOL WicSave(const char* fileName, HGLOBAL block, REFGUID container, int quality) {
  PicImage source;
  if (!fileName || !PicFromBlock(block, &source))
    return FALSE;
  const bool jpeg = IsEqualGUID(container, GUID_ContainerFormatJpeg);
  const bool gif = IsEqualGUID(container, GUID_ContainerFormatGif);
  PicImage image;
  if (gif)
    image = source.bits <= 8 ? source.To8Indexed() : ReduceTo8(source);
  else if (jpeg || source.bits > 8)
    image = source.To24();
  else
    image = source.To8Indexed();
  if (image.pixels.empty()) {
    PicSetError(PIC_ERR_MEMORY);
    return FALSE;
  }
  const bool indexed = image.bits == 8;
  ComScope com;
  Ref<IWICImagingFactory> factory;
  if (!Factory(&factory))
    return FALSE;

  // Top-down rows for WIC.
  std::vector<BYTE> rows((size_t)image.rowBytes * image.height);
  for (int y = 0; y < image.height; ++y)
    memcpy(rows.data() + (size_t)y * image.rowBytes, image.Row(y), image.rowBytes);
  Ref<IWICPalette> palette;
  if (indexed) {
    WICColor colours[256];
    for (int i = 0; i < 256; ++i)
      colours[i] = 0xFF000000u | (image.palette[i].rgbRed << 16) | (image.palette[i].rgbGreen << 8) |
                   image.palette[i].rgbBlue;
    if (FAILED(factory->CreatePalette(&palette)) || FAILED(palette->InitializeCustom(colours, 256))) {
      PicSetError(PIC_ERR_CODEC);
      return FALSE;
    }
  }
  const WICPixelFormatGUID& wanted = indexed ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
  Ref<IWICBitmap> bitmap;
  if (FAILED(factory->CreateBitmapFromMemory(image.width, image.height, wanted, image.rowBytes, (UINT)rows.size(),
                                             rows.data(), &bitmap)) ||
      (indexed && FAILED(bitmap->SetPalette(palette)))) {
    PicSetError(PIC_ERR_CODEC);
    return FALSE;
  }

  Ref<IWICStream> stream;
  Ref<IWICBitmapEncoder> encoder;
  Ref<IWICBitmapFrameEncode> frame;
  Ref<IPropertyBag2> options;
  const std::wstring wide = PicWide(fileName);
  if (FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE))) {
    PicSetError(PIC_ERR_WRITE);
    return FALSE;
  }
  if (FAILED(factory->CreateEncoder(container, NULL, &encoder)) ||
      FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &options))) {
    PicSetError(PIC_ERR_CODEC);
    return FALSE;
  }
  if (jpeg && options) {
    PROPBAG2 name = {};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = (quality < 1 ? 1 : quality > 100 ? 100 : quality) / 100.0f;
    options->Write(1, &name, &value);
  }
  WICPixelFormatGUID format = wanted;
  if (FAILED(frame->Initialize(options)) || FAILED(frame->SetSize(image.width, image.height)) ||
      FAILED(frame->SetPixelFormat(&format)) || (indexed && FAILED(frame->SetPalette(palette))) ||
      FAILED(frame->WriteSource(bitmap, NULL)) || FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    PicSetError(PIC_ERR_CODEC);
    return FALSE;
  }
  PicSetError(PIC_ERR_NONE);
  return TRUE;
}

}  // namespace

extern "C" HGLOBAL WINAPI LoadGIF(const char* fileName) { return WicLoadBlock(fileName); }
extern "C" HGLOBAL WINAPI LoadJPG(const char* fileName) { return WicLoadBlock(fileName); }
extern "C" HGLOBAL WINAPI LoadTIF(const char* fileName) { return WicLoadBlock(fileName); }
extern "C" HGLOBAL WINAPI LoadPNG(const char* fileName) { return WicLoadBlock(fileName); }

extern "C" int WINAPI SaveGIF(const char* fileName, HGLOBAL block) {
  return WicSave(fileName, block, GUID_ContainerFormatGif, 0) ? 1 : 0;
}
extern "C" int WINAPI SaveJPG(const char* fileName, HGLOBAL block, int quality) {
  return WicSave(fileName, block, GUID_ContainerFormatJpeg, quality) ? 1 : 0;
}
extern "C" int WINAPI SaveTIF(const char* fileName, HGLOBAL block) {
  return WicSave(fileName, block, GUID_ContainerFormatTiff, 0) ? 1 : 0;
}
extern "C" int WINAPI SavePNG(const char* fileName, HGLOBAL block) {
  return WicSave(fileName, block, GUID_ContainerFormatPng, 0) ? 1 : 0;
}
