#pragma once
// Moving the view by lines, pages, to either end and to a scroll-bar thumb, in every mode. In
// Text mode a move is a pending lineDelta that the next layout applies. Each move makes the
// next search start at the new top.
#include <cstdint>

#include "viewer/viewer_document.h"

namespace nrv {

void MoveLines(ViewerDocument& doc, int direction);  // +1 down, -1 up
void MovePages(ViewerDocument& doc, int direction);
void MoveHome(ViewerDocument& doc);
// sizeByName: the file's size read again by name (Text mode follows a growing file); -1 keeps
// the known size. Returns whether the view changed.
bool MoveEnd(ViewerDocument& doc, int64_t sizeByName);
// Whether End (and so the follow timer) would move the view: the file grew or the last page
// is not on screen yet.
bool FileGrew(const ViewerDocument& doc, int64_t sizeByName);

void MoveColumn(ViewerDocument& doc, int delta);  // unwrapped Text mode only
// Thumb position of the vertical scroll bar, in its scaled byte units.
void MoveToThumb(ViewerDocument& doc, int64_t thumb);

// Hex mode counts in bytes: entering it in a UTF-16 document doubles viewTop, leaving halves it.
void SetHexMode(ViewerDocument& doc, bool on);
void SetUnwrapped(ViewerDocument& doc, bool on);
// The character-set menu: kCharacterSetOem, Ansi, Koi8r, or the two below.
inline constexpr int kCharacterSetUnicode = 3;
inline constexpr int kCharacterSetUtf8 = 4;
void ChooseCharacterSet(ViewerDocument& doc, int choice);
// F8: OEM, ANSI, KOI8-R and round again.
void NextCharacterSet(ViewerDocument& doc);

}  // namespace nrv
