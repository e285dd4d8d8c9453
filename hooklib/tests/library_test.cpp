// kurvo.dll as its users see it: exports by name, the pictures and icons in its resources, and
// the button setting.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "art.h"
#include "hook.h"
#include "hook_ids.h"
#include "pump.h"
#include "registry_scope.h"
#include "symbols.h"

using namespace hooklib;

namespace {

class Library : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(sw::test::HostToWinePath(KURVO_DLL_HOST_PATH).c_str());
    ASSERT_NE(nullptr, module_) << KURVO_DLL_HOST_PATH;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  template <class F>
  F Bind(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  HMODULE module_ = nullptr;
};

// The pixels of a bitmap or icon image as 0x00RRGGBB, top row first.
std::vector<uint32_t> Pixels(HBITMAP bmp, int size) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> px(size * size);
  HDC dc = GetDC(nullptr);
  int rows = GetDIBits(dc, bmp, 0, size, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != size) px.clear();
  for (uint32_t& p : px) p &= 0xFFFFFF;
  return px;
}

uint32_t Colour(uint8_t index) {
  Rgb c = kPalette[index];
  return (uint32_t)c.r << 16 | (uint32_t)c.g << 8 | c.b;
}

int BitmapSize(HBITMAP b) {
  BITMAP info = {};
  GetObjectA(b, sizeof info, &info);
  return info.bmWidth == info.bmHeight ? info.bmWidth : -1;
}

}  // namespace

TEST_F(Library, ExportsByNameAndCountsItsSymbols) {
  for (const char* name : {"EnableHook", "DisableHook", "DataExchange", "RecognizeStroke", "SymbolName"})
    EXPECT_NE(nullptr, GetProcAddress(module_, name)) << name;
  auto exchange = Bind<int32_t(WINAPI*)(int32_t, int32_t)>("DataExchange");
  EXPECT_EQ(kIdCount, exchange(1, 0));
  EXPECT_EQ(0, exchange(2, 0));
}

TEST_F(Library, NamesSymbolsIntoBuffersOfAnySize) {
  auto name = Bind<int32_t(WINAPI*)(int32_t, char*, int32_t)>("SymbolName");
  char buf[64];
  EXPECT_EQ(13, name(kQuestionMark, buf, sizeof buf));
  EXPECT_STREQ("question mark", buf);
  EXPECT_EQ(4, name(kDeleteMark, buf, 5));
  EXPECT_STREQ("dele", buf);
  buf[0] = 'z';
  EXPECT_EQ(0, name(kStar, buf, 1));
  EXPECT_EQ(0, buf[0]);
  EXPECT_EQ(0, name(kStar, buf, 0));
  EXPECT_EQ(0, name(kStar, nullptr, 10));
  for (int32_t id : {0, kIdCount, -1}) {
    EXPECT_EQ(0, name(id, buf, sizeof buf)) << id;
    EXPECT_STREQ("", buf);
  }
}

TEST_F(Library, RecognizesStrokesGivenAsPoints) {
  auto recognize = Bind<int32_t(WINAPI*)(const POINT*, int32_t)>("RecognizeStroke");
  POINT down[] = {{400, 100}, {401, 150}, {400, 200}, {402, 260}};
  EXPECT_EQ(kLineDown, recognize(down, 4));
  POINT left[] = {{400, 100}, {350, 101}, {300, 100}};
  EXPECT_EQ(kLineLeft, recognize(left, 3));
  EXPECT_EQ(0, recognize(down, 1));
  EXPECT_EQ(0, recognize(down, -5));
  EXPECT_EQ(0, recognize(nullptr, 4));
}

TEST_F(Library, CarriesAPictureOfEverySymbolAsDrawn) {
  for (int id = 0; id < kIdCount; ++id) {
    HBITMAP b = LoadBitmapA(module_, MAKEINTRESOURCEA(IDB_SYMBOL_BASE + id));
    ASSERT_NE(nullptr, b) << id;
    EXPECT_EQ(kPictureSize, BitmapSize(b)) << id;
    std::vector<uint32_t> px = Pixels(b, kPictureSize);
    DeleteObject(b);
    ASSERT_EQ((size_t)kPictureSize * kPictureSize, px.size());
    // Exactly what the drawing code makes of the recognizer's paths today.
    IndexedImage want = SymbolPicture(id);
    int differ = 0;
    for (int i = 0; i < kPictureSize * kPictureSize; ++i) differ += px[i] != Colour(want.pixels[i]);
    EXPECT_EQ(0, differ) << "picture " << id << " is stale: run hooklib/art/make_art.sh";
  }
  EXPECT_EQ(nullptr, LoadBitmapA(module_, MAKEINTRESOURCEA(IDB_SYMBOL_BASE + kIdCount)));
}

TEST_F(Library, CarriesFiveStatusIconsInTwoSizes) {
  for (int s = 0; s < kStatusCount; ++s)
    for (int size : {16, 32}) {
      HICON icon = (HICON)LoadImageA(module_, MAKEINTRESOURCEA(IDI_STATUS_READY + s), IMAGE_ICON,
                                     size, size, 0);
      ASSERT_NE(nullptr, icon) << s << " " << size;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      std::vector<uint32_t> colour = Pixels(info.hbmColor, size);
      std::vector<uint32_t> mask = Pixels(info.hbmMask, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
      ASSERT_EQ((size_t)size * size, colour.size());
      IndexedImage want = StatusIcon(Status(s), size);
      int differ = 0;
      for (int i = 0; i < size * size; ++i) {
        bool clear = mask[i] != 0;
        differ += clear != (want.clear[i] != 0);
        if (!want.clear[i]) differ += colour[i] != Colour(want.pixels[i]);
      }
      EXPECT_EQ(0, differ) << "icon " << 100 + s << " at " << size << " is stale";
    }
  // The default size that the recognizer program loads is one of the two.
  EXPECT_NE(nullptr, LoadIconA(module_, MAKEINTRESOURCEA(IDI_STATUS_DISABLED)));
}

TEST(ButtonSetting, MiddleForZeroElseTheSecondaryButton) {
  sw::test::RegistryScope scope(HKEY_CURRENT_USER, "Software\\StrokewiseTests\\HookButton");
  const char* path = scope.Path().c_str();
  Button secondary = GetSystemMetrics(SM_SWAPBUTTON) ? Button::kLeft : Button::kRight;
  EXPECT_EQ(secondary, ReadMouseButton(HKEY_CURRENT_USER, path));  // no key at all
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  auto set = [&](const char* text) {
    RegSetValueExA(key, "MouseBtn", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   (DWORD)strlen(text) + 1);
    return ReadMouseButton(HKEY_CURRENT_USER, path);
  };
  EXPECT_EQ(Button::kMiddle, set("0"));
  EXPECT_EQ(Button::kMiddle, set("  0"));
  EXPECT_EQ(Button::kMiddle, set("none"));  // no digits reads as 0, as the program reads it
  EXPECT_EQ(secondary, set("1"));
  EXPECT_EQ(secondary, set("5"));
  // Kurvo and Install write the text zero-padded to 512 bytes; other writers pad more, less or
  // not at all, or store a number.
  auto raw = [&](DWORD type, const void* data, DWORD size) {
    RegSetValueExA(key, "MouseBtn", 0, type, reinterpret_cast<const BYTE*>(data), size);
    return ReadMouseButton(HKEY_CURRENT_USER, path);
  };
  char padded[512] = "0";
  EXPECT_EQ(Button::kMiddle, raw(REG_SZ, padded, sizeof padded));
  padded[0] = '1';
  EXPECT_EQ(secondary, raw(REG_SZ, padded, sizeof padded));
  std::string big(3000, '\0');
  big[0] = '0';
  EXPECT_EQ(Button::kMiddle, raw(REG_SZ, big.data(), (DWORD)big.size()));
  EXPECT_EQ(Button::kMiddle, raw(REG_SZ, "0", 1));  // no terminating zero
  std::string sevens(600, '7');
  EXPECT_EQ(secondary, raw(REG_SZ, sevens.data(), (DWORD)sevens.size()));
  DWORD zero = 0, one = 1;
  EXPECT_EQ(Button::kMiddle, raw(REG_DWORD, &zero, sizeof zero));
  EXPECT_EQ(secondary, raw(REG_DWORD, &one, sizeof one));
  EXPECT_EQ(secondary, raw(REG_BINARY, &zero, sizeof zero));
  EXPECT_EQ(-12, (set("-12"), ReadSettingNumber(HKEY_CURRENT_USER, path, "MouseBtn", 7)));
  EXPECT_EQ(7, ReadSettingNumber(HKEY_CURRENT_USER, path, "Missing", 7));
  RegCloseKey(key);
}
