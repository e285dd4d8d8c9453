// What the library's exports do, as plain functions: read a picture file or bitmap resource at a
// colour resolution, write a bitmap to a picture file. Results are 0 or an error number.
#pragma once
#include <string>

#include "picture.h"
#include "sky32v3c.h"

namespace sky {

// Reads the whole file (at most 256 MB).
int LoadFile(const char* path, std::vector<uint8_t>* bytes);
// Creates or replaces the file with `bytes`; a failed write leaves no partial file behind.
int SaveFile(const char* path, const std::string& bytes);

// Decodes a file's bytes of the given format, at its own depth.
int DecodePicture(const uint8_t* data, size_t size, SkyFormat format, Picture* out);

// The depth that `bits` = 0 (automatic) means for a picture.
int AutomaticBits(const Picture& pic);

int ReadPicture(const char* file, int32_t format, int32_t bits, bool dither, const RGBQUAD* palette,
                int32_t count, Picture* out);
int ReadResource(HMODULE module, const char* name, int32_t bits, bool dither, const RGBQUAD* palette,
                 int32_t count, Picture* out);

// Encodes a picture to the bytes of a file; `pic` is converted as the options say.
int EncodePicture(const Picture& pic, int32_t format, const SkyWriteOptions& options, std::string* out);
int WritePicture(const char* file, int32_t format, const BITMAPINFO* info, const void* bits,
                 const SkyWriteOptions* options);

}  // namespace sky
