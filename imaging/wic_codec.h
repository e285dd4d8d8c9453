// BMP, JPEG, PNG, GIF and TIFF through the platform's imaging codecs (WIC).
#pragma once
#include <string>

#include "picture.h"
#include "sky32v3c.h"

namespace sky {

// Decodes the first frame of a file held in memory, of the given format; returns 0 or an error
// number. Indexed pictures stay indexed; everything else becomes BGR, transparent parts laid
// over white.
int WicDecode(const uint8_t* data, size_t size, SkyFormat format, Picture* out);

// Encodes a picture already at the depth to be written (indexed at 1, 4 or 8 bits, or BGR at 24)
// into `out`; returns 0 or an error number.
int WicEncode(const Picture& pic, int bits, SkyFormat format, const SkyWriteOptions& options,
              std::string* out);

// True when the first bytes look like a file of the format.
bool HasMagic(const uint8_t* data, size_t size, SkyFormat format);

}  // namespace sky
