#pragma once
// The one file open in the viewer: how it is read, where the screen stands in it, and the
// decoded run of it around the screen. Used only from the user-interface thread.
#include <cstdint>
#include <vector>

#include "core/settings.h"
#include "platform/text.h"
#include "viewer/code_pages.h"
#include "viewer/viewer_file.h"
#include "viewer/viewer_search_state.h"

namespace nrv {

inline constexpr int kMaxColumn = 2048;       // widest unwrapped line and horizontal scroll
inline constexpr int kStatusLineHeight = 20;  // pixels above the text rows

struct ViewerGeometry {
  int charWidth = 8;
  int charHeight = 16;
  int fontCharSet = 0;  // kOemFontCharSet for the Terminal face
  int textColumns = 80;
  int textRows = 25;
};

// Columns and rows that fit the client area; both may be below 1.
ViewerGeometry MakeGeometry(int clientWidth, int clientHeight, int charWidth, int charHeight,
                            int fontCharSet);

// The decoded run of the file from base: single-byte sets keep raw byte values, UTF-16 its
// units, UTF-8 decoded characters (surrogate pairs share their lead byte's offset). Offsets are
// in code units relative to base.
struct TextWindow {
  int64_t base = 0;
  int64_t length = 0;  // code units consumed from base
  std::vector<char16_t> chars;
  std::vector<int64_t> offsets;
};

struct LineRecord {
  int64_t index = 0;   // into TextWindow::chars
  int64_t offset = 0;  // code units from the window's base
};

struct ViewerDocument {
  Text name;      // as passed when opening: the status line and the caption show it
  Text fullPath;  // the key of the position history; name when not set
  ViewerFile file;
  int64_t fileSize = 0;
  bool isText = false;
  bool isUnicode = false;
  bool isUtf8 = false;
  int characterSet = kCharacterSetAnsi;
  bool hexMode = false;
  bool unwrapped = false;
  int64_t viewTop = 0;    // code units; bytes in Hex mode
  int64_t screenEnd = 0;  // bytes
  int column = 0;
  int64_t firstLine = 0;
  int64_t lineDelta = 0;
  int64_t lineCount = 0;
  bool reread = false;
  bool snapToEnd = false;
  bool positionRestored = false;
  int widestLine = 0;
  ViewerGeometry geometry;
  TextWindow window;
  std::vector<LineRecord> lines;
  SearchState search;
};

enum ViewerMode { kModeText, kModeDump, kModeHex };
ViewerMode ModeOf(const ViewerDocument& doc);
// 2 for UTF-16 outside Hex mode, else 1.
int UnitSize(const ViewerDocument& doc);

// Result codes of reading; the window turns them into "Error reading file".
inline constexpr int kViewerReadError = -2;

// Opens name, reads its size and encoding, and in Text mode builds the window at the start or
// at savedPosition when 0 < savedPosition <= fileSize. -1 with the platform error set when the
// file cannot be opened. Keeps characterSet, hexMode and unwrapped.
int OpenDocument(ViewerDocument& doc, TextView name, int64_t savedPosition = 0);
// Opens a byte buffer the caller keeps alive, as OpenDocument does a file.
int OpenDocumentMemory(ViewerDocument& doc, const uint8_t* bytes, int64_t size,
                       int64_t savedPosition = 0);
// Closes the file; with ViewerSavePosition on, its top position joins the Viewer history.
void CloseDocument(ViewerDocument& doc, const Settings& settings);

// Reads the first 8 KB and sets isText, isUnicode and isUtf8; nothing changes on a read error.
int DetectDocumentEncoding(ViewerDocument& doc);

}  // namespace nrv
