#pragma once
// The viewer's status line: the file name on the left and six fields right-aligned.
#include <array>

#include "viewer/viewer_document.h"

namespace nrv {

// From the right edge leftwards: percentage, column, size, character set, mode and, in Text
// mode, wrapping (empty otherwise).
std::array<Text, 6> StatusFields(const ViewerDocument& doc);

int StatusPercent(const ViewerDocument& doc);

// The whole line, `columns` characters wide when the name leaves room; the fields win over
// the name when they do not. With an OEM font the name takes the route of OEM bytes read as
// ANSI characters.
Text StatusLine(const ViewerDocument& doc, int columns);

// "View %s"
Text ViewerCaption(const ViewerDocument& doc);

}  // namespace nrv
