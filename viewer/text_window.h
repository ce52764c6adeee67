#pragma once
// Decoding the file around the screen into characters and cutting them into lines.
#include "viewer/viewer_document.h"

namespace nrv {

inline constexpr int64_t kBackwardReach = 65526;  // code units decoded before viewTop

// From viewTop; the first decoded line becomes line 0. 0 or kViewerReadError (the window then
// keeps what it had).
int BuildTextWindowForward(ViewerDocument& doc);
// From kBackwardReach units before viewTop (or the start); the line holding viewTop becomes
// firstLine.
int BuildTextWindowBackward(ViewerDocument& doc);

// Line width: textColumns, or kMaxColumn when unwrapped. A line holds at most that many
// characters; CR LF, CR or LF end it and stay at its end.
void BuildLineIndex(ViewerDocument& doc);

// The line holding window offset (units from base); 0 before the first.
int64_t LineContaining(const ViewerDocument& doc, int64_t offset);

}  // namespace nrv
