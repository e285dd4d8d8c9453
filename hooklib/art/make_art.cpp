// Writes the library's pictures as resource files: symbol_NN.bmp (4-bit, 32 x 32) for every id
// and status_N.ico (16 and 32 pixels, 4-bit) for the five status icons; given a file name, also
// a contact sheet of them all (PPM) to look at. Built and run on the build machine (see make_art.sh); the library's tests check that
// the pictures in the DLL are exactly what the drawing code gives.
#include <cstdio>
#include <string>
#include <vector>

#include "art.h"
#include "symbols.h"

using namespace hooklib;

namespace {

void Put16(std::vector<uint8_t>& v, unsigned x) { v.push_back(x & 255); v.push_back(x >> 8 & 255); }
void Put32(std::vector<uint8_t>& v, unsigned x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

// BITMAPINFOHEADER, palette, 4-bit rows bottom up, and for icons the 1-bit mask.
std::vector<uint8_t> Dib(const IndexedImage& img, bool icon) {
  int n = img.size, rowColour = ((n * 4 + 31) / 32) * 4, rowMask = ((n + 31) / 32) * 4;
  std::vector<uint8_t> v;
  Put32(v, 40); Put32(v, n); Put32(v, icon ? 2 * n : n); Put16(v, 1); Put16(v, 4);
  Put32(v, 0); Put32(v, rowColour * n + (icon ? rowMask * n : 0)); Put32(v, 0); Put32(v, 0);
  Put32(v, icon ? 0 : 16); Put32(v, 0);
  for (Rgb c : kPalette) { v.push_back(c.b); v.push_back(c.g); v.push_back(c.r); v.push_back(0); }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowColour, 0);
    for (int x = 0; x < n; ++x) {
      uint8_t px = img.clear.empty() || !img.clear[y * n + x] ? img.At(x, y) : 0;
      row[x / 2] |= x % 2 ? px : px << 4;
    }
    v.insert(v.end(), row.begin(), row.end());
  }
  if (icon)
    for (int y = n - 1; y >= 0; --y) {
      std::vector<uint8_t> row(rowMask, 0);
      for (int x = 0; x < n; ++x)
        if (img.clear[y * n + x]) row[x / 8] |= 0x80 >> (x % 8);
      v.insert(v.end(), row.begin(), row.end());
    }
  return v;
}

bool Write(const std::string& name, const std::vector<uint8_t>& v) {
  FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(v.data(), 1, v.size(), f) == v.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  bool ok = true;
  std::vector<IndexedImage> sheet;
  for (int id = 0; id < kIdCount; ++id) {
    IndexedImage img = SymbolPicture(id);
    std::vector<uint8_t> dib = Dib(img, false), file;
    file.push_back('B'); file.push_back('M');
    Put32(file, 14 + dib.size()); Put32(file, 0); Put32(file, 14 + 40 + 64);
    file.insert(file.end(), dib.begin(), dib.end());
    char name[32];
    std::snprintf(name, sizeof name, "symbol_%02d.bmp", id);
    ok = Write(name, file) && ok;
    sheet.push_back(img);
  }
  for (int s = 0; s < kStatusCount; ++s) {
    std::vector<uint8_t> file, small = Dib(StatusIcon(Status(s), 16), true),
                               large = Dib(StatusIcon(Status(s), 32), true);
    Put16(file, 0); Put16(file, 1); Put16(file, 2);
    unsigned offset = 6 + 2 * 16;
    for (auto* d : {&small, &large}) {
      int n = d == &small ? 16 : 32;
      file.push_back(n); file.push_back(n); file.push_back(16); file.push_back(0);
      Put16(file, 1); Put16(file, 4); Put32(file, d->size()); Put32(file, offset);
      offset += d->size();
    }
    file.insert(file.end(), small.begin(), small.end());
    file.insert(file.end(), large.begin(), large.end());
    ok = Write("status_" + std::to_string(s) + ".ico", file) && ok;
    sheet.push_back(StatusIcon(Status(s), 32));
  }
  if (argc < 2) return ok ? 0 : 1;
  // The contact sheet: 8 pictures a row, magnified 3 times.
  int cols = 8, cell = 36, zoom = 3, rows = ((int)sheet.size() + cols - 1) / cols;
  int w = cols * cell * zoom, h = rows * cell * zoom;
  std::vector<uint8_t> rgb(w * h * 3, 255);
  for (size_t i = 0; i < sheet.size(); ++i)
    for (int y = 0; y < sheet[i].size * zoom; ++y)
      for (int x = 0; x < sheet[i].size * zoom; ++x) {
        const IndexedImage& img = sheet[i];
        int sx = x / zoom, sy = y / zoom;
        if (!img.clear.empty() && img.clear[sy * img.size + sx]) continue;
        Rgb c = kPalette[img.At(sx, sy)];
        int px = (i % cols) * cell * zoom + x, py = (i / cols) * cell * zoom + y;
        uint8_t* o = &rgb[(py * w + px) * 3];
        o[0] = c.r; o[1] = c.g; o[2] = c.b;
      }
  std::string head = "P6 " + std::to_string(w) + " " + std::to_string(h) + " 255\n";
  std::vector<uint8_t> ppm(head.begin(), head.end());
  ppm.insert(ppm.end(), rgb.begin(), rgb.end());
  ok = Write(argv[1], ppm) && ok;
  if (!ok) std::fprintf(stderr, "make_art: could not write the pictures\n");
  return ok ? 0 : 1;
}
