// The file list on real folders made by the test: entry order and kinds, icons, masks, the
// return to the folder just left, failures that keep the listing, and the whole-tree search on a
// drive letter mapped to a test folder holding a link loop.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "application.h"
#include "description.h"
#include "file_list.h"
#include "form.h"
#include "message_boxes.h"
#include "temp_dir.h"

using namespace zw;

namespace {

// A hidden form holding one file list with the defaults of its description.
struct ListHost {
  Form form;
  TFileList* list = nullptr;
  explicit ListHost(const std::string& props = "") {
    App().Initialize(GetModuleHandleA(nullptr));
    RegisterEditorControls();
    static const FormTable table = {};
    auto errors = form.Load("Form Host { Width = 300 Height = 300 TFileList List { Left = 0 Top = 0 Width = 280 "
                            "Height = 250 TextCase = tcNone " + props + " } }", table);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0]);
    form.Create();
    list = form.Find<TFileList>("List");
    EXPECT_TRUE(list && list->hwnd);
  }
  std::vector<std::string> Names(char kind = 0) const {
    std::vector<std::string> v;
    for (int i = 0; i < list->Count(); ++i)
      if (!kind || list->EntryKind(i) == kind) v.push_back(list->EntryName(i));
    return v;
  }
  std::string Kinds() const {
    std::string s;
    for (int i = 0; i < list->Count(); ++i) s += list->EntryKind(i);
    return s;
  }
  int Icon(const std::string& name) const {
    for (int i = 0; i < list->Count(); ++i) {
      FileEntry e;
      if (list->Entry(i, e) && e.name == name) return e.icon;
    }
    return -1;
  }
};

void MakeDir(const std::string& p) { CreateDirectoryA(p.c_str(), nullptr); }

std::string Cwd() {
  char b[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, b);
  return b;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(FileEntries, EncodingRoundTripsAndInversionSwapsDrivesAndFiles) {
  FileEntry e{kFileEntry, "Pic.Bmp", 18, FILE_ATTRIBUTE_ARCHIVE, 0x3A214C2B, 1234};
  std::string s = EncodeEntry(e, sbSize, false);
  EXPECT_EQ(s, std::string("F00000001234Pic.Bmp|\x12") + "000032" + "00975260715" + "00000001234");
  FileEntry back;
  ASSERT_TRUE(DecodeEntry(s, false, back));
  EXPECT_EQ(back.name, "Pic.Bmp");
  EXPECT_EQ(back.icon, 18);
  EXPECT_EQ(back.size, 1234u);
  EXPECT_EQ(back.dateTime, 0x3A214C2Bu);
  // Inverted, a file is stored as "B" and read back as a file.
  std::string inv = EncodeEntry(e, sbName, true);
  EXPECT_EQ(inv[0], 'B');
  ASSERT_TRUE(DecodeEntry(inv, true, back));
  EXPECT_EQ(back.kind, kFileEntry);
  // A name holding the separator still decodes (the fields are read from the end).
  e.name = "a|b";
  ASSERT_TRUE(DecodeEntry(EncodeEntry(e, sbName, false), false, back));
  EXPECT_EQ(back.name, "a|b");
  EXPECT_FALSE(DecodeEntry("F000", false, back));
  EXPECT_EQ(SortKey(FileEntry{kFileEntry, "x.ico"}, sbType), ".ICO0000000");
}

TEST(FileEntries, TextCasesIconsMasksAndColumns) {
  EXPECT_EQ(ApplyTextCase("my FILE\\sub dir.ico", tcAuto), "My File\\Sub Dir.ico");
  EXPECT_EQ(ApplyTextCase("MiXed", tcLowerCase), "mixed");
  EXPECT_EQ(ApplyTextCase("MiXed", tcUpperCase), "MIXED");
  EXPECT_EQ(ApplyTextCase("MiXed", tcNone), "MiXed");
  EXPECT_EQ(ExtensionIcon("readme"), 9);
  EXPECT_EQ(ExtensionIcon("a.st"), 18);
  EXPECT_EQ(ExtensionIcon("a.c"), 26);
  EXPECT_EQ(ExtensionIcon("a.jpeg"), 9);  // cut to ".JPE", which no group lists
  EXPECT_EQ(ExtensionIcon("dir.d\\noext"), 9);
  EXPECT_EQ(ExtensionIcon("x.xyz"), 9);
  EXPECT_EQ(EntryIcon("p.exe", FILE_ATTRIBUTE_HIDDEN, false), 28);
  EXPECT_EQ(EntryIcon("p.txt", FILE_ATTRIBUTE_HIDDEN, false), 20);
  EXPECT_EQ(EntryIcon("d", FILE_ATTRIBUTE_HIDDEN, true), 27);
  EXPECT_EQ(SplitMasks("*.ico *.bmp,*.exe"), (Names{"*.ico", "*.bmp", "*.exe"}));
  EXPECT_EQ(SplitMasks("\"my file*.ico\", a.*"), (Names{"my file*.ico", "a.*"}));
  EXPECT_EQ(FormatSize(1234567), "1,234,567");
  EXPECT_EQ(FormatSize(999), "999");
  EXPECT_EQ(FormatSize(0), "0");
  EXPECT_EQ(AttributeLetters(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), "RA");
  EXPECT_EQ(FormatPackedDate(0x20FFFF), "?");
}

TEST(FileList, RootParentDirectoriesAndFilesInOrderAndBackUpSelectsTheFolderLeft) {
  sw::test::TempDir dir;
  MakeDir(dir.File("beta"));
  MakeDir(dir.File("Alpha"));
  dir.Write("b.ico", "12");
  dir.Write("a.ico", "1");
  dir.Write("ab.ico", "123");
  dir.Write("noext", "");
  dir.Write("pic.st", "");
  ListHost h("ListDetails = \"ldSystemDirectories ldDirectories ldFiles ldNewFile\"");
  std::string before = Cwd();
  h.list->SetDirectory(dir.Path());
  EXPECT_EQ(h.list->LastError(), 0u);
  EXPECT_EQ(Cwd(), before);
  EXPECT_EQ(h.Kinds(), "ACDEEFFFFF");
  EXPECT_EQ(h.Names(), (Names{"NEW", "\\", "..", "Alpha", "beta", "a.ico", "ab.ico", "b.ico", "noext", "pic.st"}));
  EXPECT_EQ(h.list->ListCount(), 7);
  EXPECT_EQ(h.list->ListSize(), 6u);
  EXPECT_EQ(h.Icon("noext"), 9);
  EXPECT_EQ(h.Icon("pic.st"), 18);
  EXPECT_EQ(h.Icon("beta"), 8);

  h.list->SetDirectory(dir.File("beta"));
  EXPECT_EQ(h.Names(), (Names{"NEW", "\\", ".."}));
  h.list->SetDirectory("..");
  ASSERT_GE(h.list->ItemIndex(), 0);
  EXPECT_EQ(h.list->EntryName(h.list->ItemIndex()), "beta");
  EXPECT_EQ(h.list->Directory(), dir.Path());

  // A root lists neither "\" nor "..".
  h.list->SetDirectory("\\");
  EXPECT_EQ(h.list->Directory().size(), 3u);
  EXPECT_EQ(h.list->IndexOf(kRootEntry, "\\"), -1);
  EXPECT_EQ(h.list->IndexOf(kParentEntry, ".."), -1);
}

TEST(FileList, InvertedOrderSizeOrderAndHiddenEntries) {
  sw::test::TempDir dir;
  MakeDir(dir.File("sub"));
  MakeDir(dir.File("zz"));
  MakeDir(dir.File("aa"));
  dir.Write("big.ico", std::string(300, 'x'));
  dir.Write("b.ico", "12");
  dir.Write("a.ico", "12");
  dir.Write("small.ico", "1");
  ListHost h;
  h.list->SetDirectory(dir.File("sub"));
  h.list->SetDirectory("..");
  h.list->SetSortBy(sbSize);
  EXPECT_EQ(h.Names(kFileEntry), (Names{"small.ico", "a.ico", "b.ico", "big.ico"}));
  EXPECT_EQ(h.Names(kDirEntry), (Names{"aa", "sub", "zz"}));
  EXPECT_EQ(h.list->EntryName(h.list->ItemIndex()), "sub");  // the selection follows the new keys

  h.list->SetListOrder(flInverted);
  std::string kinds = h.Kinds();
  // Files first, then root, parent and folders, drives last.
  EXPECT_EQ(kinds.substr(0, 7), "FFFFCDE");
  EXPECT_EQ(kinds.find_first_not_of('B', 9), std::string::npos);
  EXPECT_GT(kinds.size(), 9u);

  // Hidden entries show only with ShowSystemFiles, with their own icons.
  dir.Write("run.exe", "");
  MakeDir(dir.File("secret"));
  SetFileAttributesA(dir.File("run.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(dir.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  h.list->Update();
  EXPECT_EQ(h.Icon("run.exe"), -1);
  h.list->SetShowSystemFiles(true);
  EXPECT_EQ(h.Icon("run.exe"), 28);
  EXPECT_EQ(h.Icon("secret"), 27);
}

TEST(FileList, MasksWithSpacesCommasAndQuotes) {
  sw::test::TempDir dir;
  for (const char* n : {"a.ico", "b.bmp", "c.exe", "my file.txt", "other.txt"}) dir.Write(n, "");
  ListHost h("ListDetails = \"ldFiles\"");
  h.list->SetDirectory(dir.Path());
  h.list->SetFileMask("*.ico *.bmp");
  EXPECT_EQ(h.Names(), (Names{"a.ico", "b.bmp"}));
  h.list->SetFileMask("*.exe,*.ico");
  EXPECT_EQ(h.Names(), (Names{"a.ico", "c.exe"}));
  h.list->SetFileMask("\"my f*.txt\"");
  EXPECT_EQ(h.Names(), (Names{"my file.txt"}));
  h.list->SetFileMask("*.ico *.ICO");  // overlapping masks list a file once
  EXPECT_EQ(h.Names(), (Names{"a.ico"}));
}

TEST(FileList, FolderThatCannotBeEnteredKeepsTheListingAndMaskAndDirectoryComeBack) {
  sw::test::TempDir dir;
  dir.Write("a.ico", "");
  MakeDir(dir.File("gone"));
  ListHost h("ListDetails = \"ldFiles\"");
  h.list->SetDirectory(dir.Path());
  RemoveDirectoryA(dir.File("gone").c_str());
  std::string before = Cwd();
  h.list->SetDirectory(dir.File("gone"));
  EXPECT_NE(h.list->LastError(), 0u);
  EXPECT_EQ(h.Names(), (Names{"a.ico"}));
  EXPECT_EQ(h.list->Directory(), dir.Path());
  EXPECT_EQ(Cwd(), before);

  std::string mask = "*.bmp", bad = dir.File("gone");
  EXPECT_NE(h.list->SetMaskAndDirectory(&mask, &bad), 0u);
  EXPECT_EQ(h.list->FileMask(), "*.*");
  EXPECT_EQ(h.list->Directory(), dir.Path());
  EXPECT_EQ(h.Names(), (Names{"a.ico"}));
  EXPECT_EQ(Cwd(), before);
}

TEST(FileList, LetterKeysFindTheNextEntryAndEnterDoubleClicks) {
  sw::test::TempDir dir;
  for (const char* n : {"apple.ico", "avocado.ico", "banana.ico"}) dir.Write(n, "");
  ListHost h("ListDetails = \"ldFiles\"");
  int dbl = 0, changes = 0;
  h.list->OnDblClick = [&](Component*) { ++dbl; };
  h.list->OnChange = [&](Component*) { ++changes; };
  h.list->SetDirectory(dir.Path());
  h.list->CharTyped('a');
  EXPECT_EQ(h.list->ItemIndex(), 0);
  h.list->CharTyped('A');
  EXPECT_EQ(h.list->ItemIndex(), 1);
  h.list->CharTyped('a');  // wraps around
  EXPECT_EQ(h.list->ItemIndex(), 0);
  h.list->CharTyped('z');
  EXPECT_EQ(h.list->ItemIndex(), 0);
  EXPECT_GE(changes, 3);
  h.list->KeyDown(VK_RETURN);
  EXPECT_EQ(dbl, 1);
  // OnAddFile may refuse files.
  h.list->OnAddFile = [](Component*, const std::string& n, bool& ok) { ok = n[0] != 'b'; };
  h.list->Update();
  EXPECT_EQ(h.Names(), (Names{"apple.ico", "avocado.ico"}));
}

// Maps drive T: to a test folder through the prefix's dosdevices folder (a symbolic link made
// by the host's ln), or with a link target, puts a link to it at one\two\loop; false when that
// cannot be done here.
static bool MapDrive(const std::string& winFolder, const std::string& linkTarget, std::string* unixFolder);
static void UnmapDrive();

TEST(FileList, SubFolderSearchNamesFilesRelativeAndEscapeStopsIt) {
  sw::test::TempDir dir;
  MakeDir(dir.File("one"));
  MakeDir(dir.File("one\\two"));
  dir.Write("top.ico", "");
  dir.Write("one\\mid.ico", "");
  dir.Write("one\\two\\deep.ico", "");
  dir.Write("one\\two\\skip.txt", "");
  ListHost h("ListDetails = \"ldFiles\" FileMask = \"*.ico\"");
  h.list->SetSearchMode(smSubDirectories);
  h.list->SetDirectory(dir.Path());
  EXPECT_EQ(h.list->LastError(), 0u);
  EXPECT_EQ(h.Names(), (Names{"one\\mid.ico", "one\\two\\deep.ico", "top.ico"}));
  EXPECT_FALSE(h.list->SearchStopped());

  // Escape waiting in the queue stops the search, keeping what was found before it.
  PostMessageA(h.list->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  h.list->Update();
  EXPECT_TRUE(h.list->SearchStopped());
  EXPECT_LT(h.list->Count(), 3);

  // On a drive letter mapped to the folder, with a link from deep inside back to its top, the
  // search ends and lists each file once.
  std::string unixFolder;
  if (!MapDrive(dir.Path(), "", &unixFolder) || !MapDrive(dir.Path(), unixFolder, nullptr))
    GTEST_SKIP() << "cannot map a drive letter here";
  h.list->SetDirectory("t:\\");
  EXPECT_EQ(h.list->LastError(), 0u);
  EXPECT_EQ(h.Names(), (Names{"one\\mid.ico", "one\\two\\deep.ico", "top.ico"}));
  h.list->SetSearchMode(smNormal);
  h.list->SetDirectory(dir.Path());
  UnmapDrive();
}

static std::string UnixPath(const std::string& winPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
  wchar_t wide[MAX_PATH];
  if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, winPath.c_str(), -1, wide, MAX_PATH)) return {};
  char* u = toUnix(wide);
  if (!u) return {};
  std::string path = u;
  HeapFree(GetProcessHeap(), 0, u);
  return path;
}

// Starts a host shell command (Wine starts host programs given by their path on drive Z:) and
// waits until `done` holds: the process handle of a host program does not tell when it ends.
static bool RunHost(const std::string& command, const std::string& name, const std::function<bool()>& done) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string script = std::string(temp) + name;
  if (!sw::test::WriteFileBytes(script, command + "\n")) return false;
  std::string cmd = "Z:\\bin\\sh " + UnixPath(script);
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 50 && !done(); ++i) Sleep(100);
  DeleteFileA(script.c_str());
  return done();
}

static bool MapDrive(const std::string& winFolder, const std::string& linkTarget, std::string* unixFolder) {
  char prefix[MAX_PATH] = {};
  std::string folder = UnixPath(winFolder);
  if (folder.empty() || !GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH)) return false;
  if (!linkTarget.empty()) {
    std::string loop = winFolder + "\\one\\two\\loop\\top.ico";
    return RunHost("ln -s '" + linkTarget + "' '" + folder + "/one/two/loop'", "filelist_loop.sh",
                   [&] { return GetFileAttributesA(loop.c_str()) != INVALID_FILE_ATTRIBUTES; });
  }
  if (unixFolder) *unixFolder = folder;
  return RunHost("ln -sfn '" + folder + "' '" + std::string(prefix) + "/dosdevices/t:'", "filelist_map.sh",
                 [] { return GetFileAttributesA("t:\\top.ico") != INVALID_FILE_ATTRIBUTES; });
}

static void UnmapDrive() {
  char prefix[MAX_PATH] = {};
  if (GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
    RunHost("rm -f '" + std::string(prefix) + "/dosdevices/t:'", "filelist_unmap.sh",
            [] { return GetFileAttributesA("t:\\top.ico") == INVALID_FILE_ATTRIBUTES; });
}
