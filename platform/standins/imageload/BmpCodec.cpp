#include "platform/standins/imageload/ImageLoad.h"
#include "platform/standins/imageload/PicBlock.h"

#include <string.h>

namespace {

DWORD Get32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }
WORD Get16(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }

int MaskShift(DWORD mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

BYTE Channel(DWORD value, DWORD mask) {
  if (!mask)
    return 0;
  const DWORD max = mask >> MaskShift(mask);
  return BYTE(((value & mask) >> MaskShift(mask)) * 255 / max);
}

// Run-length packed 8-bit and 4-bit rows (bottom-up) into plain rows of rowBytes.
BOOL UnpackRle(const std::vector<BYTE>& f, size_t at, int width, int height, int bits, std::vector<BYTE>* rows) {
  const int rowBytes = PicRowBytes(width, bits);
  rows->assign((size_t)rowBytes * height, 0);
  int x = 0, y = 0;
  auto put = [&](int value) {
    if (x < width && y < height) {
      BYTE* row = rows->data() + (size_t)y * rowBytes;
      if (bits == 8)
        row[x] = BYTE(value);
      else
        row[x / 2] |= BYTE((x % 2) ? (value & 15) : (value & 15) << 4);
    }
    ++x;
  };
  while (at + 1 < f.size()) {
    const int count = f[at], value = f[at + 1];
    at += 2;
    if (count) {
      for (int i = 0; i < count; ++i)
        put(bits == 8 ? value : (i % 2 ? value & 15 : value >> 4));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return TRUE;
    } else if (value == 2) {  // move
      if (at + 1 >= f.size())
        return FALSE;
      x += f[at];
      y += f[at + 1];
      at += 2;
    } else {  // a literal run, padded to a whole word
      const int bytes = bits == 8 ? value : (value + 1) / 2;
      if (at + bytes > f.size())
        return FALSE;
      for (int i = 0; i < value; ++i)
        put(bits == 8 ? f[at + i] : (i % 2 ? f[at + i / 2] & 15 : f[at + i / 2] >> 4));
      at += (bytes + 1) & ~1;
    }
  }
  return TRUE;
}

// BMP files of the usual kinds: core and info headers up to version 5, 1 to 32 bits, plain,
// bit-field or run-length packed pixels.
BOOL DecodeBmp(const std::vector<BYTE>& f, PicImage* image) {
  if (f.size() < 26 || f[0] != 'B' || f[1] != 'M') {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  const DWORD offBits = Get32(&f[10]);
  const DWORD headerSize = Get32(&f[14]);
  if (14 + (size_t)headerSize > f.size() || headerSize < 12) {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  int width, height, bits;
  DWORD compression = BI_RGB, used = 0;
  int entryBytes = 4;
  if (headerSize == 12) {
    width = Get16(&f[18]);
    height = (short)Get16(&f[20]);
    bits = Get16(&f[24]);
    entryBytes = 3;
  } else {
    if (headerSize < 40) {
      PicSetError(PIC_ERR_FORMAT);
      return FALSE;
    }
    width = (int)Get32(&f[18]);
    height = (int)Get32(&f[22]);
    bits = Get16(&f[28]);
    compression = Get32(&f[30]);
    used = Get32(&f[46]);
  }
  DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bits == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (compression == BI_BITFIELDS) {
    const size_t at = 54;  // after the information header, or inside a version 4 or 5 header
    if (f.size() < at + 12 || (bits != 16 && bits != 32)) {
      PicSetError(PIC_ERR_FORMAT);
      return FALSE;
    }
    for (int i = 0; i < 3; ++i)
      masks[i] = Get32(&f[at + 4 * i]);
  } else if (compression == BI_RLE8 || compression == BI_RLE4) {
    if (bits != (compression == BI_RLE8 ? 8 : 4) || height < 0) {
      PicSetError(PIC_ERR_FORMAT);
      return FALSE;
    }
  } else if (compression != BI_RGB) {
    PicSetError(PIC_ERR_UNSUPPORTED);
    return FALSE;
  }
  const bool topDown = height < 0;
  if (topDown)
    height = -height;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    PicSetError(PIC_ERR_UNSUPPORTED);
    return FALSE;
  }
  // Bit-field pixels become plain 16-bit 5-5-5 or 32-bit blue, green, red, unused.
  const bool plain = compression == BI_RGB;
  if (!image->Allocate(width, height, bits)) {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  if (bits <= 8) {
    const size_t colours = (used && used < image->palette.size()) ? used : image->palette.size();
    const size_t at = 14 + headerSize;
    for (size_t i = 0; i < colours && at + i * entryBytes + 3 <= f.size(); ++i) {
      const BYTE* e = &f[at + i * entryBytes];
      image->palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
  }
  const int srcRowBytes = PicRowBytes(width, bits);
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    std::vector<BYTE> rows;
    if (offBits >= f.size() || !UnpackRle(f, offBits, width, height, bits, &rows)) {
      PicSetError(PIC_ERR_FORMAT);
      return FALSE;
    }
    for (int r = 0; r < height; ++r)
      memcpy(image->Row(height - 1 - r), rows.data() + (size_t)r * srcRowBytes, srcRowBytes);
    return TRUE;
  }
  if ((size_t)offBits + (size_t)srcRowBytes * height > f.size()) {
    PicSetError(PIC_ERR_FORMAT);
    return FALSE;
  }
  for (int r = 0; r < height; ++r) {
    const BYTE* src = &f[offBits + (size_t)r * srcRowBytes];
    const int fromTop = topDown ? r : height - 1 - r;
    BYTE* dst = image->Row(fromTop);
    if (plain) {
      memcpy(dst, src, srcRowBytes);
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const DWORD v = bits == 16 ? Get16(src + 2 * x) : Get32(src + 4 * x);
      const BYTE red = Channel(v, masks[0]), green = Channel(v, masks[1]), blue = Channel(v, masks[2]);
      if (bits == 16) {
        const WORD w = WORD(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
        dst[2 * x] = BYTE(w);
        dst[2 * x + 1] = BYTE(w >> 8);
      } else {
        dst[4 * x] = blue;
        dst[4 * x + 1] = green;
        dst[4 * x + 2] = red;
        dst[4 * x + 3] = 0;
      }
    }
  }
  return TRUE;
}

}  // namespace

BOOL PicLoadBmp(const char* fileName, PicImage* image) {
  std::vector<BYTE> bytes;
  return PicReadFile(fileName, &bytes) && DecodeBmp(bytes, image);
}

extern "C" HGLOBAL WINAPI LoadBMP(const char* fileName) {
  PicImage image;
  if (!fileName) {
    PicSetError(PIC_ERR_ARGUMENT);
    return NULL;
  }
  if (!PicLoadBmp(fileName, &image))
    return NULL;
  return PicToBlock(image);
}

extern "C" int WINAPI SaveBMP(const char* fileName, HGLOBAL block) {
  PicImage image;
  if (!fileName || !PicFromBlock(block, &image))
    return 0;
  HGLOBAL normal = PicToBlock(image);
  if (!normal)
    return 0;
  std::vector<BYTE> bytes(GlobalSize(normal));
  memcpy(bytes.data(), GlobalLock(normal), bytes.size());
  GlobalUnlock(normal);
  GlobalFree(normal);
  return PicWriteFile(fileName, bytes) ? 1 : 0;
}
