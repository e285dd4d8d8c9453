// The backup copy: content, size and date kept across blocks, a copy onto itself refused, an
// unwritable target reported without harm, and backups that stay writable.
#include <gtest/gtest.h>

#include <windows.h>

#include "bmp_reader.h"
#include "file_copy.h"
#include "normalize.h"
#include "temp_dir.h"

using namespace zwicon::files;

namespace {

std::string Content(const std::string& path) {
  std::string b;
  EXPECT_TRUE(ReadWholeFile(path, b, 1u << 24)) << path;
  return b;
}

bool Exists(const std::string& p) { return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(SafeCopy, CopiesManyBlocksWithSizeAndDate) {
  sw::test::TempDir dir;
  std::string data;
  for (int i = 0; i < 3 * 65528 + 17; ++i) data += static_cast<char>(i * 7 + i / 300);
  std::string src = dir.Write("big.bin", data);
  FILETIME old{};
  old.dwHighDateTime = 0x01B00000;  // some day in 1996
  HANDLE h = CreateFileA(src.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &old));
  CloseHandle(h);
  std::string dst = dir.File("copy.bin");
  ASSERT_EQ(SafeCopyFile(src, dst), CopyResult::Ok);
  EXPECT_EQ(Content(dst), data);
  WIN32_FILE_ATTRIBUTE_DATA a{};
  ASSERT_TRUE(GetFileAttributesExA(dst.c_str(), GetFileExInfoStandard, &a));
  EXPECT_EQ(a.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
  EXPECT_EQ(a.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
  // An empty file copies too, replacing a longer one.
  ASSERT_EQ(SafeCopyFile(dir.Write("empty", ""), dst), CopyResult::Ok);
  EXPECT_EQ(Content(dst), "");
}

TEST(SafeCopy, RefusesAFileOntoItselfUnderAnySpelling) {
  sw::test::TempDir dir;
  std::string src = dir.Write("self.ico", "keep me");
  EXPECT_EQ(SafeCopyFile(src, src), CopyResult::SameFile);
  std::string upper = src;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(SafeCopyFile(src, upper), CopyResult::SameFile);
  EXPECT_EQ(SafeCopyFile(src, dir.Path() + "\\.\\sub\\..\\self.ico"), CopyResult::SameFile);
  EXPECT_EQ(Content(src), "keep me");
  EXPECT_FALSE(SameFile(src, dir.File("other.ico")));
}

TEST(SafeCopy, FailuresLeaveNoStrayTargetAndNeverHarmTheSource) {
  sw::test::TempDir dir;
  std::string src = dir.Write("a.ico", "source");
  // A missing source creates nothing.
  EXPECT_EQ(SafeCopyFile(dir.File("none.ico"), dir.File("t.ico")), CopyResult::NoSource);
  EXPECT_FALSE(Exists(dir.File("t.ico")));
  // A target held open without sharing stays as it was. (A read-only target cannot be tried
  // here: the tests run as root, whom the file system lets write anyway.)
  std::string held = dir.Write("held.ico", "held");
  HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(SafeCopyFile(src, held), CopyResult::NoTarget);
  CloseHandle(h);
  EXPECT_EQ(Content(held), "held");
  EXPECT_EQ(SafeCopyFile(src, dir.File("no\\folder\\x.ico")), CopyResult::NoTarget);
  EXPECT_EQ(Content(src), "source");
}

TEST(SafeCopy, BackupsOfReadOnlyFilesStayWritable) {
  sw::test::TempDir dir;
  std::string src = dir.Write("ro.ico", "first");
  SetFileAttributesA(src.c_str(), FILE_ATTRIBUTE_READONLY);
  std::string temp = dir.File("00000001.$$$");
  ASSERT_EQ(SafeCopyFile(src, temp, {.keepAttributes = false}), CopyResult::Ok);
  EXPECT_FALSE(GetFileAttributesA(temp.c_str()) & FILE_ATTRIBUTE_READONLY);
  // The next use of the temporary file can write it.
  ASSERT_EQ(SafeCopyFile(dir.Write("b.ico", "second"), temp, {.keepAttributes = false}), CopyResult::Ok);
  EXPECT_EQ(Content(temp), "second");
  // A plain copy keeps the attribute.
  std::string kept = dir.File("kept.ico");
  ASSERT_EQ(SafeCopyFile(src, kept), CopyResult::Ok);
  EXPECT_TRUE(GetFileAttributesA(kept.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesA(src.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Normalize, OnlyTheSixTableColoursChange) {
  EXPECT_EQ(NormalizeColour(RGB(192, 220, 192)), RGB(255, 255, 255));
  EXPECT_EQ(NormalizeColour(RGB(160, 160, 164)), RGB(192, 192, 192));
  EXPECT_EQ(NormalizeColour(RGB(255, 251, 240)), RGB(255, 255, 255));
  EXPECT_EQ(NormalizeColour(RGB(164, 200, 240)), RGB(0, 255, 255));
  EXPECT_EQ(NormalizeColour(RGB(168, 202, 240)), RGB(0, 255, 255));
  EXPECT_EQ(NormalizeColour(RGB(191, 191, 0)), RGB(255, 255, 0));
  EXPECT_EQ(NormalizeColour(RGB(192, 220, 193)), RGB(192, 220, 193));
  EXPECT_EQ(NormalizeColour(RGB(191, 191, 1)), RGB(191, 191, 1));
  zw::Bitmap b(40, 40);
  b.Fill(RGB(191, 191, 0));
  NormalizePicture(b);
  EXPECT_EQ(b.Get(0, 0), RGB(255, 255, 0));
  EXPECT_EQ(b.Get(31, 31), RGB(255, 255, 0));
  EXPECT_EQ(b.Get(32, 0), RGB(191, 191, 0));  // only the top-left 32 x 32
  EXPECT_EQ(b.Get(0, 32), RGB(191, 191, 0));
}

}  // namespace
