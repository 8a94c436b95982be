#include "platform/standins/imageload/ImageLoad.h"
#include "platform/standins/imageload/PicBlock.h"

#include <string.h>

namespace {

WORD Get16(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
void Put16(std::vector<BYTE>& out, int v) {
  out.push_back(BYTE(v));
  out.push_back(BYTE(v >> 8));
}

BOOL Fail(int code) {
  PicSetError(code);
  return FALSE;
}

// Truevision TGA: colour-mapped, true-colour and grey pictures, plain or run-length packed.
BOOL DecodeTga(const std::vector<BYTE>& f, PicImage* image) {
  if (f.size() < 18)
    return Fail(PIC_ERR_FORMAT);
  const int idLength = f[0], mapType = f[1], type = f[2];
  const int mapFirst = Get16(&f[3]), mapLength = Get16(&f[5]), mapEntryBits = f[7];
  const int width = Get16(&f[12]), height = Get16(&f[14]), depth = f[16], descriptor = f[17];
  const int kind = type & 7;
  const bool packed = (type & 8) != 0;
  if (kind < 1 || kind > 3 || (type & ~0xB) || mapType > 1)
    return Fail(PIC_ERR_FORMAT);
  if ((kind == 1 && depth != 8) || (kind == 3 && depth != 8) ||
      (kind == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32))
    return Fail(PIC_ERR_UNSUPPORTED);
  const int outBits = kind == 2 ? (depth == 32 ? 32 : 24) : 8;
  if (!image->Allocate(width, height, outBits))
    return Fail(PIC_ERR_FORMAT);
  size_t at = 18 + idLength;
  const int mapEntryBytes = (mapEntryBits + 7) / 8;
  if (mapType == 1) {
    if (at + (size_t)mapLength * mapEntryBytes > f.size())
      return Fail(PIC_ERR_FORMAT);
    for (int i = 0; i < mapLength; ++i) {
      const BYTE* e = &f[at + (size_t)i * mapEntryBytes];
      const int index = mapFirst + i;
      if (index < 0 || index >= 256)
        continue;
      if (mapEntryBytes >= 3) {
        image->palette[index] = RGBQUAD{e[0], e[1], e[2], 0};
      } else {
        const WORD v = Get16(e);
        const BYTE r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        image->palette[index] = RGBQUAD{BYTE(b << 3 | b >> 2), BYTE(g << 3 | g >> 2), BYTE(r << 3 | r >> 2), 0};
      }
    }
    at += (size_t)mapLength * mapEntryBytes;
  }
  if (kind == 3)
    for (int i = 0; i < 256; ++i)
      image->palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};

  const int pixelBytes = (depth + 7) / 8;
  std::vector<BYTE> raw((size_t)width * height * pixelBytes);
  if (!packed) {
    if (at + raw.size() > f.size())
      return Fail(PIC_ERR_FORMAT);
    memcpy(raw.data(), &f[at], raw.size());
  } else {
    size_t out = 0;
    while (out < raw.size()) {
      if (at >= f.size())
        return Fail(PIC_ERR_FORMAT);
      const int header = f[at++];
      const int count = (header & 0x7F) + 1;
      if (out + (size_t)count * pixelBytes > raw.size())
        return Fail(PIC_ERR_FORMAT);
      if (header & 0x80) {
        if (at + pixelBytes > f.size())
          return Fail(PIC_ERR_FORMAT);
        for (int i = 0; i < count; ++i, out += pixelBytes)
          memcpy(&raw[out], &f[at], pixelBytes);
        at += pixelBytes;
      } else {
        if (at + (size_t)count * pixelBytes > f.size())
          return Fail(PIC_ERR_FORMAT);
        memcpy(&raw[out], &f[at], (size_t)count * pixelBytes);
        at += (size_t)count * pixelBytes;
        out += (size_t)count * pixelBytes;
      }
    }
  }
  const bool topFirst = (descriptor & 0x20) != 0;
  for (int r = 0; r < height; ++r) {
    const BYTE* src = &raw[(size_t)r * width * pixelBytes];
    BYTE* dst = image->Row(topFirst ? r : height - 1 - r);
    for (int x = 0; x < width; ++x) {
      const BYTE* p = src + x * pixelBytes;
      if (outBits == 8) {
        dst[x] = p[0];
      } else if (pixelBytes == 2) {
        const WORD v = Get16(p);
        const BYTE red = (v >> 10) & 31, green = (v >> 5) & 31, blue = v & 31;
        dst[3 * x] = BYTE(blue << 3 | blue >> 2);
        dst[3 * x + 1] = BYTE(green << 3 | green >> 2);
        dst[3 * x + 2] = BYTE(red << 3 | red >> 2);
      } else {
        memcpy(dst + x * (outBits / 8), p, pixelBytes);
      }
    }
  }
  return TRUE;
}

std::vector<BYTE> EncodeTga(const PicImage& source) {
  const PicImage image = source.bits <= 8 ? source.To8Indexed() : source.bits == 32 ? source : source.To24();
  std::vector<BYTE> out;
  const bool mapped = image.bits == 8;
  out.push_back(0);
  out.push_back(mapped ? 1 : 0);
  out.push_back(mapped ? 1 : 2);
  Put16(out, 0);
  Put16(out, mapped ? 256 : 0);
  out.push_back(mapped ? 24 : 0);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, image.width);
  Put16(out, image.height);
  out.push_back((BYTE)image.bits);
  out.push_back(image.bits == 32 ? 8 : 0);
  if (mapped)
    for (int i = 0; i < 256; ++i) {
      out.push_back(image.palette[i].rgbBlue);
      out.push_back(image.palette[i].rgbGreen);
      out.push_back(image.palette[i].rgbRed);
    }
  // Bottom row first, as the descriptor says.
  const int rowBytes = image.width * image.bits / 8;
  for (int y = image.height - 1; y >= 0; --y)
    out.insert(out.end(), image.Row(y), image.Row(y) + rowBytes);
  return out;
}

// ZSoft PCX: 1, 4 and 8-bit indexed and 24-bit pictures in three planes, run-length packed.
BOOL DecodePcx(const std::vector<BYTE>& f, PicImage* image) {
  if (f.size() < 128 || f[0] != 0x0A || f[2] != 1)
    return Fail(PIC_ERR_FORMAT);
  const int bitsPerPixel = f[3];
  const int width = Get16(&f[8]) - Get16(&f[4]) + 1;
  const int height = Get16(&f[10]) - Get16(&f[6]) + 1;
  const int planes = f[65];
  const int lineBytes = Get16(&f[66]);
  int outBits;
  if (bitsPerPixel == 8 && planes == 1)
    outBits = 8;
  else if (bitsPerPixel == 8 && planes == 3)
    outBits = 24;
  else if (bitsPerPixel == 1 && planes == 1)
    outBits = 1;
  else if ((bitsPerPixel == 1 && planes == 4) || (bitsPerPixel == 4 && planes == 1))
    outBits = 4;
  else
    return Fail(PIC_ERR_UNSUPPORTED);
  if (lineBytes * 8 < width * bitsPerPixel || !image->Allocate(width, height, outBits))
    return Fail(PIC_ERR_FORMAT);

  if (outBits == 8) {
    if (f.size() < 128 + 769 || f[f.size() - 769] != 0x0C)
      return Fail(PIC_ERR_FORMAT);
    const BYTE* p = &f[f.size() - 768];
    for (int i = 0; i < 256; ++i)
      image->palette[i] = RGBQUAD{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0};
  } else if (outBits == 1) {
    image->palette[0] = RGBQUAD{0, 0, 0, 0};
    image->palette[1] = RGBQUAD{255, 255, 255, 0};
  } else if (outBits == 4) {
    for (int i = 0; i < 16; ++i)
      image->palette[i] = RGBQUAD{f[16 + 3 * i + 2], f[16 + 3 * i + 1], f[16 + 3 * i], 0};
  }

  const size_t scanBytes = (size_t)lineBytes * planes;
  std::vector<BYTE> scan(scanBytes);
  size_t at = 128;
  for (int y = 0; y < height; ++y) {
    size_t out = 0;
    while (out < scanBytes) {
      if (at >= f.size())
        return Fail(PIC_ERR_FORMAT);
      BYTE b = f[at++];
      int count = 1;
      if ((b & 0xC0) == 0xC0) {
        count = b & 0x3F;
        if (at >= f.size())
          return Fail(PIC_ERR_FORMAT);
        b = f[at++];
      }
      for (int i = 0; i < count && out < scanBytes; ++i)
        scan[out++] = b;
    }
    BYTE* dst = image->Row(y);
    for (int x = 0; x < width; ++x) {
      if (outBits == 8) {
        dst[x] = scan[x];
      } else if (outBits == 24) {
        dst[3 * x] = scan[2 * lineBytes + x];
        dst[3 * x + 1] = scan[lineBytes + x];
        dst[3 * x + 2] = scan[x];
      } else if (outBits == 1) {
        if ((scan[x / 8] >> (7 - x % 8)) & 1)
          dst[x / 8] |= BYTE(0x80 >> (x % 8));
      } else {
        int index;
        if (planes == 1) {
          index = (scan[x / 2] >> ((x % 2) ? 0 : 4)) & 15;
        } else {
          index = 0;
          for (int p = 0; p < 4; ++p)
            index |= ((scan[p * lineBytes + x / 8] >> (7 - x % 8)) & 1) << p;
        }
        dst[x / 2] |= BYTE((x % 2) ? index : index << 4);
      }
    }
  }
  return TRUE;
}

void PackRun(std::vector<BYTE>& out, const BYTE* data, int count) {
  int i = 0;
  while (i < count) {
    int run = 1;
    while (i + run < count && run < 63 && data[i + run] == data[i])
      ++run;
    if (run > 1 || (data[i] & 0xC0) == 0xC0)
      out.push_back(BYTE(0xC0 | run));
    out.push_back(data[i]);
    i += run;
  }
}

std::vector<BYTE> EncodePcx(const PicImage& source) {
  const PicImage image = source.bits <= 8 ? source.To8Indexed() : source.To24();
  const int planes = image.bits == 8 ? 1 : 3;
  const int lineBytes = (image.width + 1) & ~1;
  std::vector<BYTE> out(128, 0);
  out[0] = 0x0A;
  out[1] = 5;
  out[2] = 1;
  out[3] = 8;
  out[8] = BYTE(image.width - 1);
  out[9] = BYTE((image.width - 1) >> 8);
  out[10] = BYTE(image.height - 1);
  out[11] = BYTE((image.height - 1) >> 8);
  out[12] = out[14] = 72;
  out[65] = (BYTE)planes;
  out[66] = BYTE(lineBytes);
  out[67] = BYTE(lineBytes >> 8);
  out[68] = 1;
  std::vector<BYTE> line(lineBytes);
  for (int y = 0; y < image.height; ++y) {
    const BYTE* row = image.Row(y);
    for (int p = 0; p < planes; ++p) {
      std::fill(line.begin(), line.end(), 0);
      for (int x = 0; x < image.width; ++x)
        line[x] = planes == 1 ? row[x] : row[3 * x + 2 - p];
      PackRun(out, line.data(), lineBytes);
    }
  }
  if (planes == 1) {
    out.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      out.push_back(image.palette[i].rgbRed);
      out.push_back(image.palette[i].rgbGreen);
      out.push_back(image.palette[i].rgbBlue);
    }
  }
  return out;
}

}  // namespace

BOOL PicLoadTga(const char* fileName, PicImage* image) {
  std::vector<BYTE> bytes;
  return PicReadFile(fileName, &bytes) && DecodeTga(bytes, image);
}

BOOL PicLoadPcx(const char* fileName, PicImage* image) {
  std::vector<BYTE> bytes;
  return PicReadFile(fileName, &bytes) && DecodePcx(bytes, image);
}

// Only the header's sanity: TGA files carry no signature.
BOOL PicLooksLikeTga(const BYTE* h, size_t size) {
  if (size < 18)
    return FALSE;
  const int type = h[2];
  const int kind = type & 7;
  return h[1] <= 1 && kind >= 1 && kind <= 3 && !(type & ~0xB) && Get16(h + 12) && Get16(h + 14) &&
         (h[16] == 8 || h[16] == 15 || h[16] == 16 || h[16] == 24 || h[16] == 32);
}

extern "C" HGLOBAL WINAPI LoadTGA(const char* fileName) {
  PicImage image;
  if (!fileName) {
    PicSetError(PIC_ERR_ARGUMENT);
    return NULL;
  }
  return PicLoadTga(fileName, &image) ? PicToBlock(image) : NULL;
}

extern "C" HGLOBAL WINAPI LoadPCX(const char* fileName) {
  PicImage image;
  if (!fileName) {
    PicSetError(PIC_ERR_ARGUMENT);
    return NULL;
  }
  return PicLoadPcx(fileName, &image) ? PicToBlock(image) : NULL;
}

extern "C" int WINAPI SaveTGA(const char* fileName, HGLOBAL block) {
  PicImage image;
  if (!fileName || !PicFromBlock(block, &image))
    return 0;
  return PicWriteFile(fileName, EncodeTga(image)) ? 1 : 0;
}

extern "C" int WINAPI SavePCX(const char* fileName, HGLOBAL block) {
  PicImage image;
  if (!fileName || !PicFromBlock(block, &image))
    return 0;
  return PicWriteFile(fileName, EncodePcx(image)) ? 1 : 0;
}
