// Pictures and checks shared by the imaging tests.
#pragma once
#include <string>

#include "picture.h"

namespace skytest {

// A BGR picture with smooth gradients (many colours).
sky::Picture Gradient(int32_t w, int32_t h);
// An indexed picture over the 16 standard colours, index (x + 3y) mod 16.
sky::Picture Standard16(int32_t w, int32_t h);
// An indexed picture over `colours` arbitrary colours, index (x * 7 + y) mod colours.
sky::Picture Indexed(int32_t w, int32_t h, int colours);
// A BGR picture of the given picture's colours.
sky::Picture AsBgr(const sky::Picture& p);
// The largest difference of any channel of any pixel (both compared as colours); -1 when the
// sizes differ.
int MaxDifference(const sky::Picture& a, const sky::Picture& b);
// Reads a binary PPM (P6, maxval 255) as a BGR picture.
bool ReadPpm(const std::string& path, sky::Picture* out);
// A file name inside the test's temporary folder.
std::string TempFile(const std::string& name);

}  // namespace skytest
