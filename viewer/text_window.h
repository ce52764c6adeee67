#pragma once
// Decoding the file around the screen into characters and cutting them into lines.
#include "viewer/viewer_document.h"

namespace nrv {

inline constexpr int64_t kBackwardReach = 65526;  // code units decoded before viewTop, at most

// Characters decoded past the screen's top: (textRows + 1) lines of kMaxColumn when unwrapped,
// two screens of wrapped lines otherwise, so a huge or sparse file decodes what a small one does.
int64_t ForwardReach(const ViewerDocument& doc);
// Units decoded before viewTop when moving back: kBackwardReach unwrapped, ForwardReach wrapped.
int64_t BackwardReach(const ViewerDocument& doc);

// From viewTop; the first decoded line becomes line 0. 0 or kViewerReadError (the window then
// keeps what it had).
int BuildTextWindowForward(ViewerDocument& doc);
// From viewTop, only the lines the first screen shows: a huge file opens as fast as a small one.
int BuildFirstTextWindow(ViewerDocument& doc);
// From BackwardReach units before viewTop (or the start); the line holding viewTop becomes
// firstLine.
int BuildTextWindowBackward(ViewerDocument& doc);

// Line width: textColumns, or kMaxColumn when unwrapped. A line holds at most that many
// characters; CR LF, CR or LF end it and stay at its end.
void BuildLineIndex(ViewerDocument& doc);

// The line holding window offset (units from base); 0 before the first.
int64_t LineContaining(const ViewerDocument& doc, int64_t offset);

}  // namespace nrv
