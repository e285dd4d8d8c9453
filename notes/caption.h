// The note caption drawn by the program: layout of the page arrows and title band, hit tests,
// and painting over the frame the platform drew.
#pragma once
#include <windows.h>

#include "note_table.h"

namespace quill {

// Points are relative to the window's top-left corner.
bool InLeftArrow(const NoteTable& t, POINT p);
bool InRightArrow(const NoteTable& t, POINT p);
bool InTitleBand(const NoteTable& t, POINT p);
// Places the right arrow for a client area `clientWidth` wide.
void UpdateRightArrow(NoteTable& t, int clientWidth);
// Places the right arrow for the note's own width: the rectangles are shared by all notes, and
// are placed again before a note is drawn or hit-tested.
void PlaceArrowsFor(NoteTable& t, const NoteRecord& r);
// Vertical centre line of the arrows.
int ArrowCentre(const NoteTable& t);

// The whole caption: frame, fill, colour square, arrows, page title.
void PaintCaption(NoteTable& t, NoteRecord& r);
// One arrow, drawn all dark while pressed.
void PaintArrow(NoteTable& t, NoteRecord& r, bool left, bool pressed);
// Clears the band between the arrows and draws the current page's title.
void RedrawTitle(NoteTable& t, NoteRecord& r);
// Repaints the strips around the close button.
void RepaintCloseStrips(NoteTable& t, NoteRecord& r);

}  // namespace quill
