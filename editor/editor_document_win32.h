#pragma once
// The file open in the editor and the pieces of the editor that work on it.
#include <windows.h>

#include <cstdint>

#include "editor/editor_encoding.h"
#include "editor/editor_search.h"
#include "editor/editor_status.h"
#include "editor/editor_win32.h"
#include "editor/line_ends.h"
#include "editor/text_codec.h"
#include "platform/win32/gdi_objects.h"

namespace nrv {

inline void CloseFileHandle(HANDLE file) { ::CloseHandle(file); }
using FileHandle = platform::UniqueHandle<HANDLE, CloseFileHandle>;
// CreateFileW's failure value as an empty holder.
inline FileHandle OwnFile(HANDLE file) { return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file); }

struct EditorDocument {
  EditorHost host;
  Text fileName;
  Text fullPath;
  uint32_t attributes = 0;
  int64_t sizeAtLoad = 0;
  EditorEncoding encoding;
  LineEnds lineEnds;  // of a plain-text file as loaded
  bool editorActive = false;
  bool loaded = false;
  bool streaming = false;  // inside a load or save: the control's keys wait
  int64_t firstVisibleLine = 0;
  EditorFigures figures;
  HWND control = nullptr;
  WNDPROC previousProcedure = nullptr;
  platform::Module library;
  HMENU popup = nullptr;  // built once, kept for the run
};

EditorDocument& TheEditorDocument();
EditorSearch& TheEditorSearch();

// The platform's ANSI code page for the byte conversions.
const AnsiCodec& SystemAnsiCodec();

// Streams the open file into the control. 0, or -1 on a failed read or a cancel.
int StreamIn(EditorDocument& doc, HANDLE file);
// Writes the control's text to file in the document's format; false on a failed write.
bool StreamOut(EditorDocument& doc, HANDLE file, TextView shownName);
int Save(bool asNewName);

LRESULT CALLBACK EditorControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
void ShowEditorMenu();
void OpenFindReplace();
void GoToLine();
void SelectAll();

// Scrolls so that line (0-based) lands about a quarter down the window.
void ScrollLineIntoView(HWND control, int64_t line);

}  // namespace nrv
