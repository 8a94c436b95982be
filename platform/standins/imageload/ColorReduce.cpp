#include "platform/standins/imageload/ImageLoad.h"

#include <algorithm>
#include <vector>

namespace {

// Colours are counted in 5-bit-per-channel cells; each cell keeps the sum of its colours so the
// palette gets their mean, not the cell's corner.
struct Cell {
  DWORD count = 0;
  DWORD sum[3] = {0, 0, 0};  // blue, green, red
};

int CellIndex(const BYTE* p) { return ((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3); }

bool Histogram(const BYTE* pixels, int width, int height, int rowBytes, std::vector<Cell>* cells) {
  if (!pixels || width <= 0 || height <= 0 || rowBytes < width * 3)
    return false;
  cells->assign(32768, Cell());
  for (int y = 0; y < height; ++y) {
    const BYTE* row = pixels + (size_t)y * rowBytes;
    for (int x = 0; x < width; ++x) {
      Cell& c = (*cells)[CellIndex(row + 3 * x)];
      ++c.count;
      for (int k = 0; k < 3; ++k)
        c.sum[k] += row[3 * x + k];
    }
  }
  return true;
}

RGBQUAD Mean(const Cell& c) {
  return RGBQUAD{BYTE(c.sum[0] / c.count), BYTE(c.sum[1] / c.count), BYTE(c.sum[2] / c.count), 0};
}

struct Box {
  std::vector<int> cells;
  DWORD pixels = 0;
};

int Channel(int cell, int k) { return (cell >> (5 * k)) & 31; }  // k: 0 blue, 1 green, 2 red

}  // namespace

extern "C" int WINAPI Popularity(const BYTE* pixels, int width, int height, int rowBytes, int colors,
                                 RGBQUAD* palette) {
  std::vector<Cell> cells;
  if (!palette || colors < 1 || colors > 256 || !Histogram(pixels, width, height, rowBytes, &cells))
    return 0;
  std::vector<int> used;
  for (int i = 0; i < 32768; ++i)
    if (cells[i].count)
      used.push_back(i);
  std::stable_sort(used.begin(), used.end(), [&](int a, int b) { return cells[a].count > cells[b].count; });
  const int n = std::min<int>(colors, (int)used.size());
  for (int i = 0; i < colors; ++i)
    palette[i] = i < n ? Mean(cells[used[i]]) : RGBQUAD{0, 0, 0, 0};
  return n;
}

extern "C" int WINAPI MedianCut(const BYTE* pixels, int width, int height, int rowBytes, int colors,
                                RGBQUAD* palette) {
  std::vector<Cell> cells;
  if (!palette || colors < 1 || colors > 256 || !Histogram(pixels, width, height, rowBytes, &cells))
    return 0;
  std::vector<Box> boxes(1);
  for (int i = 0; i < 32768; ++i)
    if (cells[i].count) {
      boxes[0].cells.push_back(i);
      boxes[0].pixels += cells[i].count;
    }
  while ((int)boxes.size() < colors) {
    // Split the box with the most pixels among those holding more than one cell.
    int pick = -1;
    for (int i = 0; i < (int)boxes.size(); ++i)
      if (boxes[i].cells.size() > 1 && (pick < 0 || boxes[i].pixels > boxes[pick].pixels))
        pick = i;
    if (pick < 0)
      break;
    Box& box = boxes[pick];
    int axis = 0, widest = -1;
    for (int k = 0; k < 3; ++k) {
      int lo = 31, hi = 0;
      for (int c : box.cells) {
        lo = std::min(lo, Channel(c, k));
        hi = std::max(hi, Channel(c, k));
      }
      if (hi - lo > widest) {
        widest = hi - lo;
        axis = k;
      }
    }
    std::sort(box.cells.begin(), box.cells.end(),
              [&](int a, int b) { return Channel(a, axis) < Channel(b, axis); });
    // The median by pixel count, keeping at least one cell on each side.
    DWORD half = box.pixels / 2, running = 0;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < box.cells.size(); ++i) {
      running += cells[box.cells[i]].count;
      cut = i + 1;
      if (running >= half)
        break;
    }
    Box upper;
    upper.cells.assign(box.cells.begin() + cut, box.cells.end());
    box.cells.resize(cut);
    box.pixels = 0;
    for (int c : box.cells)
      box.pixels += cells[c].count;
    for (int c : upper.cells)
      upper.pixels += cells[c].count;
    boxes.push_back(upper);
  }
  int n = 0;
  for (const Box& box : boxes) {
    Cell total;
    for (int c : box.cells) {
      total.count += cells[c].count;
      for (int k = 0; k < 3; ++k)
        total.sum[k] += cells[c].sum[k];
    }
    if (total.count)
      palette[n++] = Mean(total);
  }
  for (int i = n; i < colors; ++i)
    palette[i] = RGBQUAD{0, 0, 0, 0};
  return n;
}
