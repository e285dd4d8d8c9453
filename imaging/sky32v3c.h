// The imaging library SKY32V3C.DLL as its callers see it: the exports (bound by ordinal only),
// the picture formats, the write options and the error numbers.
//
// Ordinal table (the DLL exports no names; bind with GetProcAddress(lib, MAKEINTRESOURCEA(n))):
//
//   @1  SkyReadPicture   read a picture file into a packed device-independent bitmap and palette
//   @2  SkyWritePicture  write a device-independent bitmap to a picture file
//   @3  SkyReadResource  read a bitmap resource of a loaded module like a picture file
//
// Results: greater than 0 on success. 0 or less is a failure whose error number is the result's
// absolute value; the library's string table holds the error's text under that number
// (LoadStringA(library, number, ...)).
//
// Reading: `bits` asks for the colour resolution of the result: 4 (16 colours), 8 (256 colours),
// 24 (true colour) or 0 (automatic: 4 for pictures of up to 16 colours, 8 for up to 256, else 24).
// At 4 and 8 bits the result's colours are the first 16 or 256 entries of `palette` when one is
// given (paletteCount > 0); otherwise the picture's own colours when they fit, else the 16
// standard colours (4 bits) or a uniform 6 x 6 x 6 colour cube plus 40 greys (8 bits). With
// `dither` on, colours that are not in the palette are spread by Floyd-Steinberg error
// diffusion; with it off each pixel takes the nearest palette colour.
// The result is a movable global memory block holding a BITMAPINFOHEADER, the colour table
// (biClrUsed entries; none at 24 bits) and the pixel rows, bottom row first, each row a multiple
// of 4 bytes; the caller frees it with GlobalFree. `*hpal` (may be null) receives a logical palette
// of the colour table (null at 24 bits); the caller deletes it with DeleteObject.
// SkyReadResource takes the module holding an RT_BITMAP resource and its name ("#n" for a number)
// in place of the file and format, and reads it like a file.
//
// Writing: the bitmap is BI_RGB at 1, 4, 8, 16, 24 or 32 bits, rows bottom-up (positive height)
// or top-down (negative height). It is converted to options->bits (1, 4, 8 or 24; 0 keeps the
// bitmap's own depth) by the palette rule of reading without a given palette. JPEG is always
// written at 24 bits; GIF at 8 bits (a 4-bit picture keeps its 16 colours); 1 bit is for PCX
// only. The file is written only when encoding succeeded; an existing file is replaced.
#pragma once
#include <stdint.h>
#include <windows.h>

enum SkyFormat : int32_t {
  SKY_FORMAT_BMP = 1,
  SKY_FORMAT_PCX = 2,
  SKY_FORMAT_JPEG = 3,
  SKY_FORMAT_PNG = 4,
  SKY_FORMAT_GIF = 5,
  SKY_FORMAT_TIFF = 6,
};

// TIFF compression codes: only 1 (none) is written.
enum : int32_t { SKY_TIFF_NONE = 1 };

#pragma pack(push, 4)
struct SkyWriteOptions {
  uint32_t size;            // sizeof(SkyWriteOptions)
  int32_t bits;             // 0, 1, 4, 8 or 24
  int32_t dither;           // non-zero: error diffusion when colours must be reduced
  int32_t pngInterlace;     // must be 0 (non-interlaced)
  int32_t tiffCompression;  // SKY_TIFF_NONE (0 means the same)
  int32_t jpegQuality;      // 1 ... 100 (the platform encoder may ignore it)
  int32_t jpegSmoothing;    // 0 ... 100: strength of a blur applied before JPEG encoding
};
#pragma pack(pop)

// Error numbers (result = -number). Each has a string of the same number in the library.
enum SkyError : int32_t {
  SKY_ERR_UNKNOWN = 0,
  SKY_ERR_OPEN = 1,        // the file cannot be opened
  SKY_ERR_CREATE = 2,      // the file cannot be created or written
  SKY_ERR_FORMAT = 3,      // the file is not a picture of the expected format
  SKY_ERR_TRUNCATED = 4,   // the file ends inside the picture
  SKY_ERR_TOO_LARGE = 5,   // dimensions beyond the library's limits
  SKY_ERR_PALETTE = 6,     // the palette is missing or too short
  SKY_ERR_RLE = 7,         // compressed data runs past the picture
  SKY_ERR_DEPTH = 8,       // colour depth or layout not supported
  SKY_ERR_MEMORY = 9,      // not enough memory
  SKY_ERR_CODECS = 10,     // the platform imaging codecs are not available
  SKY_ERR_DECODE = 11,     // the picture data cannot be decoded
  SKY_ERR_ENCODE = 12,     // the picture cannot be encoded
  SKY_ERR_PARAMETER = 13,  // an argument is invalid
  SKY_ERR_OPTION = 14,     // a format option is not supported
  SKY_ERR_RESOURCE = 15,   // the module holds no bitmap resource of that name
  SKY_ERR_LAST = 15,
};

// Calling forms of the exports (stdcall on i686).
typedef int32_t(WINAPI* SkyReadPictureFn)(const char* file, int32_t format, int32_t bits, int32_t dither,
                                          const RGBQUAD* palette, int32_t paletteCount, HGLOBAL* dib,
                                          HPALETTE* hpal);
typedef int32_t(WINAPI* SkyWritePictureFn)(const char* file, int32_t format, const BITMAPINFO* info,
                                           const void* bits, const SkyWriteOptions* options);
typedef int32_t(WINAPI* SkyReadResourceFn)(HMODULE module, const char* name, int32_t bits, int32_t dither,
                                           const RGBQUAD* palette, int32_t paletteCount, HGLOBAL* dib,
                                           HPALETTE* hpal);

enum : int { SKY_ORD_READ_PICTURE = 1, SKY_ORD_WRITE_PICTURE = 2, SKY_ORD_READ_RESOURCE = 3 };
