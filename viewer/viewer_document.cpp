#include "viewer/viewer_document.h"

#include "config/history.h"

#include "viewer/encoding.h"
#include "viewer/text_window.h"

namespace nrv {

namespace {

// Steps of opening shared by files and buffers, once the file is readable.
int Start(ViewerDocument& doc, int64_t savedPosition) {
  doc.fileSize = ViewerFileSize(doc.file);
  if (doc.fileSize < 0) doc.fileSize = 0;
  doc.viewTop = 0;
  doc.screenEnd = 0;
  doc.column = 0;
  doc.firstLine = doc.lineDelta = doc.lineCount = 0;
  doc.reread = doc.snapToEnd = doc.positionRestored = false;
  doc.widestLine = 0;
  doc.window = TextWindow{};
  doc.lines.clear();
  doc.search.matches.clear();
  if (savedPosition > 0 && savedPosition <= doc.fileSize) {
    doc.viewTop = savedPosition;
    doc.positionRestored = true;
  }
  DetectDocumentEncoding(doc);
  if (ModeOf(doc) != kModeText) return 0;
  doc.reread = false;
  doc.lineDelta = 0;
  return BuildFirstTextWindow(doc);
}

}  // namespace

ViewerGeometry MakeGeometry(int clientWidth, int clientHeight, int charWidth, int charHeight,
                            int fontCharSet) {
  ViewerGeometry g;
  g.charWidth = charWidth > 0 ? charWidth : 1;
  g.charHeight = charHeight > 0 ? charHeight : 1;
  g.fontCharSet = fontCharSet;
  g.textColumns = clientWidth / g.charWidth;
  g.textRows = (clientHeight - kStatusLineHeight) / g.charHeight;
  return g;
}

ViewerMode ModeOf(const ViewerDocument& doc) {
  if (doc.hexMode) return kModeHex;
  return doc.isText ? kModeText : kModeDump;
}

int UnitSize(const ViewerDocument& doc) { return doc.isUnicode && !doc.hexMode ? 2 : 1; }

int OpenDocument(ViewerDocument& doc, TextView name, int64_t savedPosition) {
  if (!OpenViewerFile(doc.file, name)) return -1;
  doc.name.assign(name);
  doc.fullPath.assign(name);
  return Start(doc, savedPosition);
}

int OpenDocumentMemory(ViewerDocument& doc, const uint8_t* bytes, int64_t size, int64_t savedPosition) {
  OpenViewerMemory(doc.file, bytes, size);
  doc.name.clear();
  doc.fullPath.clear();
  return Start(doc, savedPosition);
}

void CloseDocument(ViewerDocument& doc, const Settings& settings) {
  if (settings.ViewerSavePosition && !doc.fullPath.empty() && IsViewerFileOpen(doc.file))
    AddHistory(settings, kHistoryViewer, doc.fullPath, doc.viewTop);
  CloseViewerFile(doc.file);
  doc.window = TextWindow{};
  doc.lines.clear();
  doc.lines.shrink_to_fit();
  doc.search.matches.clear();
}

int DetectDocumentEncoding(ViewerDocument& doc) {
  uint8_t sample[kEncodingSampleSize];
  const int64_t read = ReadViewerFile(doc.file, 0, sample, sizeof sample);
  if (read < 0) return kViewerReadError;
  const EncodingGuess guess = DetectEncoding(sample, static_cast<size_t>(read), false);
  doc.isText = guess.isText;
  doc.isUnicode = guess.isUnicode;
  doc.isUtf8 = guess.isUtf8;
  return 0;
}

}  // namespace nrv
