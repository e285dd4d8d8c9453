// Our own PCX reader and writer: 1 bit, 4 bits (four planes, or one packed plane when reading),
// 8 bits with the trailing 256-colour palette, and 24 bits (three planes), run-length encoded.
#pragma once
#include <string>

#include "picture.h"

namespace sky {

// Decodes a PCX file held in memory; returns 0 or an error number. Never reads outside `data`.
int PcxDecode(const uint8_t* data, size_t size, Picture* out);

// Encodes a picture at `bits` (1, 4 or 8 for an indexed picture whose indices fit, 24 for a BGR
// one) into `out`; returns 0 or an error number.
int PcxEncode(const Picture& pic, int bits, std::string* out);

}  // namespace sky
