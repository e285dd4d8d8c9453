// The editor's main window and documents in the test process: the magnified view's pixels, the
// three representations, menus, undo, closing, settings, the temporary file, help and mends.
#include "editor_fixture.h"

namespace zwtest {
namespace {

const COLORREF kWhite = 0xFFFFFF, kBlack = 0, kGrid = RGB(160, 160, 164);

TEST_F(Editor, NewDocumentIsEntirelyTransparentWithCentreDots) {
  Start();
  TIconForm* d = NewDoc();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->caption, "Untitled");
  EXPECT_EQ(d->Magnify, 8);
  EXPECT_TRUE(main->ToolPanel->visible);
  EXPECT_FALSE(d->doc.modified);
  Bitmap& s = d->Scratchpad->picture;
  ASSERT_EQ(s.Width(), 257);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(d->doc.image.transparent[x][y], 1);
      ASSERT_EQ(d->doc.image.index[x][y], 0);
      ASSERT_EQ(d->Picture().Get(x, y), kWhite);
      ASSERT_EQ(s.Get(4 + 8 * x, 4 + 8 * y), kBlack) << x << "," << y;
      ASSERT_EQ(s.Get(2 + 8 * x, 5 + 8 * y), kWhite);
    }
  EXPECT_EQ(s.Get(0, 3), kGrid);
  EXPECT_EQ(s.Get(256, 100), kGrid);
  // Saved, it has index 0 and the mask bit everywhere.
  std::string bytes = files::IconFileBytes(d->doc.Image());
  EXPECT_EQ(bytes.substr(126, 512), std::string(512, '\0'));
  EXPECT_EQ(bytes.substr(638, 128), std::string(128, '\xFF'));
  // New twice gives two "Untitled" documents.
  TIconForm* e = NewDoc();
  EXPECT_NE(e, d);
  EXPECT_EQ(e->caption, "Untitled");
  EXPECT_EQ(main->DocumentCount(), 2);
}

TEST_F(Editor, ZoomTwoWithGridShowsOneColouredPixelPerCellAndThePencilKeepsGridLines) {
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "Magnify", "2");
  Start();
  TIconForm* d = NewDoc();
  Bitmap& s = d->Scratchpad->picture;
  ASSERT_EQ(s.Width(), 65);
  ASSERT_EQ(d->Panel3->width, 65);
  main->drawing.leftColor = RGB(255, 0, 0);
  Down(d, 1, 1);
  Up(d, 1, 1);
  EXPECT_EQ(s.Get(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.Get(0, 1), kGrid);
  EXPECT_EQ(s.Get(2, 1), kGrid);
  EXPECT_EQ(s.Get(1, 2), kGrid);
  EXPECT_EQ(s.Get(3, 3), kBlack);  // the next cell is transparent: its one pixel is the dot
  d->Redraw();
  EXPECT_EQ(s.Get(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.Get(64, 64), kGrid);
  // At zoom 8 the pencil's cell leaves the grid line.
  d->Slider1->SetValue(8);
  EXPECT_EQ(d->Magnify, 8);
  EXPECT_EQ(d->Label1->caption, "  8");
  main->drawing.currentColor = RGB(0, 0, 255);
  main->drawing.currentTransparent = false;
  d->PutPixel(3, 3);
  EXPECT_EQ(s.Get(25, 25), RGB(0, 0, 255));
  EXPECT_EQ(s.Get(31, 31), RGB(0, 0, 255));
  EXPECT_EQ(s.Get(24, 28), kGrid);
  EXPECT_EQ(s.Get(28, 24), kGrid);
  EXPECT_EQ(d->Picture().Get(3, 3), RGB(0, 0, 255));
  EXPECT_EQ(d->doc.image.transparent[3][3], 0);
  // Without the grid the cell starts at the line's place.
  main->ShowGrid1Click(nullptr);
  EXPECT_EQ(s.Width(), 256);
  EXPECT_EQ(s.Get(24, 24), RGB(0, 0, 255));
}

TEST_F(Editor, UpdateIconToleranceTransparencyAndLastMatch) {
  Start();
  TIconForm* d = NewDoc();
  d->Mask().Fill(kBlack);
  d->UpdateMask();
  d->Picture().Fill(RGB(128, 0, 0));
  d->UpdateIcon();
  EXPECT_EQ(d->doc.image.index[5][5], 1);
  d->Picture().Set(5, 5, RGB(100, 0, 0));  // 28 below maroon: keeps its former index
  d->doc.image.index[5][5] = 6;
  d->UpdateIcon();
  EXPECT_EQ(d->doc.image.index[5][5], 6);
  d->Mask().Set(7, 7, kWhite);
  d->UpdateMask();
  d->doc.transparentColor = RGB(0, 255, 255);
  d->UpdateIcon();
  EXPECT_EQ(d->doc.image.index[7][7], 0);
  EXPECT_EQ(d->Picture().Get(7, 7), RGB(0, 255, 255));
  d->doc.image.palette[13] = RGB(128, 0, 0);  // a second maroon entry: the later one wins
  d->UpdateIcon();
  EXPECT_EQ(d->doc.image.index[0][0], 13);
}

TEST_F(Editor, MenusFollowTheDocumentsAndTyping) {
  Start();
  main->File1Click(nullptr);
  main->Edit1Click(nullptr);
  main->Options1Click(nullptr);
  main->Window1Click(nullptr);
  EXPECT_FALSE(main->Save1->enabled);
  EXPECT_FALSE(main->CloseAll1->enabled);
  EXPECT_FALSE(main->SelectAll1->enabled);
  EXPECT_FALSE(main->Flip1->enabled);
  EXPECT_FALSE(main->SetFont1->enabled);
  EXPECT_FALSE(main->Cascade1->enabled);
  TIconForm* d = NewDoc();
  main->File1Click(nullptr);
  main->Edit1Click(nullptr);
  main->Options1Click(nullptr);
  main->Window1Click(nullptr);
  EXPECT_TRUE(main->Save1->ShownEnabled());
  EXPECT_TRUE(main->CloseAll1->enabled);
  EXPECT_TRUE(main->SelectAll1->enabled);
  EXPECT_FALSE(main->Cut1->enabled);
  EXPECT_TRUE(main->Flip1->enabled);
  EXPECT_TRUE(main->Cascade1->enabled);
  // While typing: the transformations are off.
  Pick(main->TextTool);
  Down(d, 40, 40);
  Up(d, 40, 40);
  EXPECT_TRUE(d->doc.typing);
  main->Options1Click(nullptr);
  main->Edit1Click(nullptr);
  EXPECT_FALSE(main->Flip1->enabled);
  EXPECT_FALSE(main->Clear1->enabled);
  EXPECT_FALSE(main->Copy1->enabled);
  EXPECT_TRUE(main->ShowGrid1->enabled);
  // The menu short-cuts reach the same handlers (Ctrl+N is New).
  int before = main->DocumentCount();
  EXPECT_TRUE(main->menu->HandleShortCut(scCtrl | 'N'));
  EXPECT_EQ(main->DocumentCount(), before + 1);
}

TEST_F(Editor, UndoRestoresPictureAndMaskAndUndoOffTakesNoSnapshot) {
  Start();
  TIconForm* d = NewDoc();
  main->drawing.leftColor = RGB(255, 0, 0);
  Down(d, At(d, 2), At(d, 2));
  Up(d, At(d, 2), At(d, 2));
  EXPECT_TRUE(d->doc.undoAvailable);
  EXPECT_TRUE(main->Undo->enabled);
  EXPECT_EQ(d->Picture().Get(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(d->Mask().Get(2, 2), kBlack);
  main->Undo1Click(nullptr);
  EXPECT_EQ(d->Picture().Get(2, 2), kWhite);
  EXPECT_EQ(d->Mask().Get(2, 2), kWhite);
  EXPECT_EQ(d->doc.image.transparent[2][2], 1);
  EXPECT_FALSE(d->doc.undoAvailable);
  EXPECT_FALSE(main->Undo->enabled);
  // Undo On off: no snapshot, the button stays disabled, and turning it back on offers nothing.
  main->UndoOn1Click(nullptr);
  EXPECT_FALSE(main->UndoOn1->checked);
  Down(d, At(d, 4), At(d, 4));
  Up(d, At(d, 4), At(d, 4));
  EXPECT_FALSE(d->doc.undoAvailable);
  EXPECT_FALSE(main->Undo->enabled);
  main->UndoOn1Click(nullptr);
  main->Edit1Click(nullptr);
  EXPECT_FALSE(main->Undo2->enabled);
}

TEST_F(Editor, CloseQuestionAnswersAndTheLastDocumentHidesThePanel) {
  Start();
  TIconForm* d = NewDoc();
  Down(d, At(d, 1), At(d, 1));
  Up(d, At(d, 1), At(d, 1));
  ASSERT_TRUE(d->doc.modified);
  answer.Queue(IDCANCEL);
  EXPECT_FALSE(d->Close());
  EXPECT_EQ(main->DocumentCount(), 1);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Save Icon");
  EXPECT_EQ(answer.Seen()[0].text, "Untitled\rhas been modified. Do you want to save the changes?");
  // Yes on an untitled document leads to Save As; cancelled there, the window stays.
  answer.Queue(IDYES);
  EXPECT_FALSE(d->Close());
  ASSERT_EQ(saveAsCalls.size(), 1u);
  EXPECT_EQ(saveAsCalls[0], "Save Untitled As...");
  EXPECT_EQ(main->DocumentCount(), 1);
  answer.Queue(IDNO);
  EXPECT_TRUE(d->Close());
  EXPECT_EQ(main->DocumentCount(), 0);
  EXPECT_FALSE(main->ToolPanel->visible);
}

TEST_F(Editor, CloseAllSavesEachDocumentItselfLastToFirst) {
  Start();
  TIconForm* a = NewDoc();
  TIconForm* b = NewDoc();
  a->doc.modified = b->doc.modified = true;
  a->SetCaption("A");
  b->SetCaption("B");
  ASSERT_EQ(main->ActiveDocument(), b);
  answer.Queue(IDYES);
  answer.Queue(IDYES);
  main->CloseAll1Click(nullptr);
  EXPECT_EQ(saveAsCalls, (std::vector<std::string>{"Save B As...", "Save A As..."}));
  EXPECT_EQ(main->DocumentCount(), 2);  // both saves were cancelled
}

TEST_F(Editor, SaveWritesTheIconFileAfterAskingAndClearsModified) {
  Start();
  TIconForm* d = NewDoc();
  std::string file = dir.File("PIC.ICO");
  sw::test::WriteFileBytes(file, "old");
  d->SetCaption(file);
  main->drawing.leftColor = RGB(0, 255, 0);
  Down(d, At(d, 0), At(d, 31));
  Up(d, At(d, 0), At(d, 31));
  answer.Queue(IDYES);
  main->Save1Click(nullptr);
  EXPECT_EQ(answer.Seen().back().text, "Replace existing: " + file + "?");
  std::string bytes;
  ASSERT_TRUE(sw::test::ReadFileBytes(file, &bytes));
  ASSERT_EQ(bytes.size(), 766u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[126]), 0xA0);  // lime (10) at the bottom-left
  EXPECT_FALSE(d->doc.modified);
}

TEST_F(Editor, SettingsRoundTripAndDamagedValuesStartWithDefaults) {
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "Window", "5000, \"4 0\"");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "Magnify", "256");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "TransparentColor", "0x1000000");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "ShowGrid", "0");
  Start();
  EXPECT_EQ(main->drawing.magnify, 8);
  EXPECT_EQ(main->drawing.transparentColor, kWhite);
  EXPECT_FALSE(main->ShowGrid1->checked);
  EXPECT_EQ(main->left, 0);
  EXPECT_EQ(main->top, 40);
  EXPECT_EQ(main->width, 640);
  main.reset();
  std::string v;
  ASSERT_TRUE(sw::test::GetRegString(HKEY_CURRENT_USER, kSection, "Window", &v));
  EXPECT_EQ(v, "0,40,640,480");
  sw::test::GetRegString(HKEY_CURRENT_USER, kSection, "Magnify", &v);
  EXPECT_EQ(v, "8");
  sw::test::GetRegString(HKEY_CURRENT_USER, kSection, "ShowGrid", &v);
  EXPECT_EQ(v, "0");
  sw::test::GetRegString(HKEY_CURRENT_USER, kSection, "TransparentColor", &v);
  EXPECT_EQ(v, "16777215");
  // A zoom of 0 and an over-long folder also fall back.
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "Magnify", "0");
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "IconDir", std::string(300, 'x'));
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "TransparentColor", "0xFF0000");
  Start();
  EXPECT_EQ(main->drawing.magnify, 8);
  EXPECT_EQ(main->IconDir, ProgramFolder());
  EXPECT_EQ(main->drawing.transparentColor, 0xFF0000u);
}

TEST_F(Editor, TemporaryFileIsNumberedAndDeletedAtExit) {
  Start();
  EXPECT_EQ(main->TempFileName, dir.File("00000001.$$$"));
  EXPECT_TRUE(sw::test::FileExists(dir.File("00000001.$$$")));
  TMainForm second;
  ASSERT_TRUE(second.Make());
  EXPECT_EQ(second.TempFileName, dir.File("00000002.$$$"));
  DestroyWindow(second.hwnd);
  EXPECT_FALSE(sw::test::FileExists(dir.File("00000002.$$$")));
  main.reset();
  EXPECT_FALSE(sw::test::FileExists(dir.File("00000001.$$$")));
  // A drive root keeps its backslash; the fixed name "C:\\Temp.ICO" is never used (when the folder
  // cannot take the file, a unique file of the system's temporary folder is: see the model test).
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "IconDir", "C:\\");
  Start();
  EXPECT_EQ(main->TempFileName.rfind("C:\\0000", 0), 0u);
  EXPECT_NE(main->TempFileName, "C:\\Temp.ICO");
  main.reset();
  // A folder that cannot take the file (its names would pass a path's length): a unique file of
  // our own in the system's temporary folder, deleted at exit like the other.
  std::string deep = dir.Path() + "\\" + std::string(247 - dir.Path().size() - 1, 'd');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "IconDir", deep);
  Start();
  EXPECT_EQ(main->IconDir, deep);
  std::string made = main->TempFileName;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  EXPECT_EQ(made.rfind(temp, 0), 0u) << made;
  EXPECT_TRUE(sw::test::FileExists(made));
  main.reset();
  EXPECT_FALSE(sw::test::FileExists(made));
}

TEST_F(Editor, DragOffTheCanvasWritesNothingOutsideAndLostCaptureFreesTheCursor) {
  Start();
  TIconForm* d = NewDoc();
  main->drawing.leftColor = RGB(255, 0, 0);
  Down(d, At(d, 1), At(d, 1));
  Move(d, -20, -20);
  Move(d, -200, 5);
  Up(d, -200, 5);
  int red = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) red += d->Picture().Get(x, y) == RGB(255, 0, 0);
  EXPECT_EQ(red, 1);  // only the cell pressed: the cells left and above the picture are ignored
  // A line tool press hides the cursor and confines it; losing the mouse gives both back.
  Pick(main->LineTool);
  Down(d, At(d, 5), At(d, 5));
  CURSORINFO ci{sizeof ci};
  ReleaseCapture();
  GetCursorInfo(&ci);
  EXPECT_TRUE(ci.flags & CURSOR_SHOWING);
  RECT clip, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetClipCursor(&clip);
  EXPECT_TRUE(EqualRect(&clip, &screen));
  EXPECT_FALSE(d->Drawing);
}

TEST_F(Editor, HelpClipboardViewerAndColourSelection) {
  Start();
  main->Contents1Click(nullptr);
  main->TopicSearch1Click(nullptr);
  main->HowtoUseHelp1Click(nullptr);
  ASSERT_EQ(helpCalls.size(), 4u);
  EXPECT_NE(helpCalls[0].find("ZWICON.HLP|" + std::to_string(HELP_CONTENTS)), std::string::npos);
  EXPECT_EQ(helpCalls[1], helpCalls[0]);  // Topic Search opens the file, then searches
  EXPECT_NE(helpCalls[2].find("|Search()"), std::string::npos);
  startResult = 2;
  main->ShowClipboard1Click(nullptr);
  EXPECT_EQ(started, std::vector<std::string>{"CLIPBRD.EXE"});
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Cannot Run Program");
  EXPECT_EQ(answer.Seen()[0].text,
            "Unable to activate the clipboard viewer!\rThe Windows file CLIPBRD.EXE may be missing\ror corrupted.(ID=2)");
  // Colour buttons: a right click on lime sets the right colour and its swatch; the
  // transparency button marks the swatch with the inverse colour.
  HWND panel = main->ToolPanel->hwnd;
  main->ToolPanel->SetVisible(true);
  SendMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(257, 20));
  SendMessageA(panel, WM_RBUTTONUP, 0, MAKELPARAM(257, 20));
  EXPECT_EQ(main->drawing.rightColor, RGB(0, 255, 0));
  EXPECT_EQ(main->Image1->picture.Get(10, 5), RGB(0, 255, 0));
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(370, 10));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(370, 10));
  EXPECT_TRUE(main->drawing.leftTransparent);
  EXPECT_EQ(main->drawing.leftColor, kWhite);
  EXPECT_EQ(main->Image1->picture.Get(4, 5), kBlack);
  EXPECT_EQ(main->Image1->picture.Get(3, 5), kWhite);
}

}  // namespace
}  // namespace zwtest

namespace zwtest {
namespace {

TEST_F(Editor, OpenFileLoadsAnIconAndReportsAMissingOne) {
  Start();
  files::IconImage data{};
  std::copy(kStandardPalette, kStandardPalette + 16, data.palette);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      data.index[x][y] = x < 16 ? 9 : 12;
      data.transparent[x][y] = y < 4;
    }
  std::string file = dir.File("TWO.ICO");
  ASSERT_TRUE(files::WriteIconFile(file, data));
  main->OpenFile(file, 0);
  TIconForm* d = main->ActiveDocument();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->caption, file);
  EXPECT_TRUE(d->doc.modified);
  EXPECT_EQ(d->Picture().Get(3, 10), RGB(255, 0, 0));
  EXPECT_EQ(d->Picture().Get(20, 10), RGB(0, 0, 255));
  EXPECT_EQ(d->doc.image.index[20][10], 12);
  EXPECT_EQ(d->doc.image.transparent[5][2], 1);
  EXPECT_EQ(d->doc.image.transparent[5][6], 0);
  EXPECT_EQ(answer.Count(), 0u);
  main->OpenFile(dir.File("NONE.ICO"), 0);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in loading...");
  EXPECT_EQ(answer.Seen()[0].text, "An error has occurred in loading " + dir.File("NONE.ICO") + "\rIcon may be missing or corrupted.");
  EXPECT_EQ(main->ActiveDocument()->caption, "Untitled");
  // Started with file names, each is opened.
  TheEditor().args = {file, file};
  main->FormShow(main.get());
  EXPECT_EQ(main->DocumentCount(), 4);
}

TEST_F(Editor, MinimisingWritesTheTemporaryFileAndTransparentColourFollows) {
  Start();
  TIconForm* d = NewDoc();
  main->drawing.leftColor = RGB(255, 0, 0);
  Down(d, At(d, 0), At(d, 0));
  Up(d, At(d, 0), At(d, 0));
  ShowWindow(d->hwnd, SW_MINIMIZE);
  std::string bytes;
  ASSERT_TRUE(sw::test::ReadFileBytes(main->TempFileName, &bytes));
  EXPECT_EQ(bytes.size(), 766u);
  ShowWindow(d->hwnd, SW_RESTORE);
  // A new transparent colour recolours the transparent pixels and a transparent button.
  main->drawing.leftTransparent = true;
  main->TransColorClick(main->Find<MenuItem>("Aqua1"));
  EXPECT_EQ(d->doc.transparentColor, RGB(0, 255, 255));
  EXPECT_EQ(main->drawing.transparentColor, RGB(0, 255, 255));
  EXPECT_EQ(d->Picture().Get(5, 5), RGB(0, 255, 255));
  EXPECT_EQ(d->Picture().Get(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(main->drawing.leftColor, RGB(0, 255, 255));
}

TEST_F(Editor, EditMenuSelectAllCopyPasteAndDelete) {
  Start();
  TIconForm* d = NewDoc();
  d->Picture().Fill(RGB(0, 0, 128));
  d->Mask().Fill(0);
  d->UpdateMask();
  main->SelectAll1Click(nullptr);
  EXPECT_TRUE(d->doc.floating);
  EXPECT_TRUE(main->PointerTool->down);
  EXPECT_EQ(d->doc.image.transparent[10][10], 1);  // the picture's content floats
  main->Edit1Click(nullptr);
  EXPECT_TRUE(main->Copy1->enabled);
  EXPECT_TRUE(main->Cut1->enabled);
  main->Copy1Click(nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  main->Delete1Click(nullptr);
  EXPECT_FALSE(d->doc.floating);
  main->Paste1Click(nullptr);
  EXPECT_TRUE(d->doc.floating);
  EXPECT_TRUE(d->doc.pasted);
  EXPECT_EQ(d->doc.selected.Get(3, 3), RGB(0, 0, 128));
  main->DrawingToolClick(nullptr);
  EXPECT_EQ(d->Picture().Get(3, 3), RGB(0, 0, 128));
  EXPECT_EQ(d->doc.image.transparent[3][3], 0);
  // An empty clipboard is reported.
  OpenClipboard(main->hwnd);
  EmptyClipboard();
  CloseClipboard();
  main->Paste1Click(nullptr);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Error in Pasting");
  EXPECT_EQ(answer.Seen()[0].text, "The Windows ClipBoard does not\rcontain a valid bitmap image.");
}

TEST_F(Editor, AboutBoxAndSystemInformation) {
  Start();
  main->About1Click(nullptr);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "About Zonware Icon Editor");
  EXPECT_EQ(WithThousands(1048576), "1,048,576");
  EXPECT_EQ(WithThousands(999), "999");
  TSysInfoForm info;
  ASSERT_TRUE(info.Make());
  info.Fill();
  EXPECT_EQ(info.PlatformName->caption, "Windows NT");
  EXPECT_EQ(info.VersionText->caption.rfind("6.1, Build #", 0), 0u);
  EXPECT_NE(info.TotalPhys->caption.find(','), std::string::npos);
}

}  // namespace
}  // namespace zwtest

namespace zwtest {
namespace {

TEST_F(Editor, HelpWithoutItsFileSaysSo) {
  Start();
  auto recorded = TheEditor().seams;
  ResetEditor();  // the real help seam: no help file beside the test program
  TheEditor().mainForm = main.get();
  TheEditor().settingsKey = kKey;
  main->Contents1Click(nullptr);
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Help");
  EXPECT_EQ(answer.Seen()[0].text, "The help file ZWICON.HLP is not installed.\rHelp is not available.");
  TheEditor().seams = recorded;
}

}  // namespace
}  // namespace zwtest

namespace zwtest {
namespace {

TEST_F(Editor, DocumentSizeFollowsTheZoomWithinTheFrameAndAMinimisedStartMinimises) {
  sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "Magnify", "6");
  Start();
  TIconForm* d = NewDoc();
  EXPECT_EQ(d->width, 32 * 6 + 92);
  EXPECT_EQ(d->height, 32 * 6 + 42);
  main->drawing.magnify = 20;
  TIconForm* big = NewDoc();
  RECT client;
  GetClientRect(main->mdiClient, &client);
  EXPECT_EQ(big->width, client.right - big->left);
  EXPECT_LT(big->width, 32 * 20 + 92);
  EXPECT_EQ(big->Scratchpad->picture.Width(), 641);
  TheEditor().showCommand = SW_SHOWMINNOACTIVE;
  main->FormPaint(main.get());
  EXPECT_TRUE(IsIconic(main->hwnd));
  main->FormPaint(main.get());  // only the first paint does it
  EXPECT_FALSE(main->FirstPaint);
}

}  // namespace
}  // namespace zwtest
