#include "editor/editor_document_win32.h"

#include <richedit.h>

#include <string>

#include "config/history.h"
#include "core/panel_item.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

constexpr DWORD kCheckBlock = 1024 * 1024;

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

MessageAnswer Ask(HWND owner, Text text, TextView caption, MessageIcon icon, MessageButtons buttons) {
  return platform::ShowMessage({owner, std::move(text), Text(caption), icon, buttons});
}

bool IsShown(const EditorDocument& doc) {
  return doc.control && ::IsWindowVisible(doc.control) && ::IsWindowVisible(doc.host.frame);
}

void SetCharacterFormat(const EditorDocument& doc) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR;
  const wchar_t* face = doc.host.osMajor < 6 ? L"Courier New" : L"Consolas";
  ::lstrcpynW(format.szFaceName, face, LF_FACESIZE);
  format.yHeight = 210;
  format.crTextColor = doc.host.settings->ClrEditorText;
  ::SendMessageW(doc.control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

// The control in place of the panels. 0, or -1 when the library or the window is missing.
int CreateEditor(EditorDocument& doc) {
  doc.editorActive = true;
  doc.host.enter();
  doc.library.Reset(::LoadLibraryW(L"msftedit.dll"));
  if (!doc.library) {
    Ask(nullptr, u"Unable to load msftedit.dll", u"Error", MessageIcon::Error, MessageButtons::Ok);
    return -1;
  }
  RECT client{};
  ::GetClientRect(doc.host.frame, &client);
  HDC dc = ::GetDC(doc.host.frame);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::ReleaseDC(doc.host.frame, dc);
  const int top = metrics.tmHeight;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_NOIME;
  if (!doc.host.settings->EditorWordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  doc.control = ::CreateWindowExW(0, MSFTEDIT_CLASS, L"", style, 0, top, client.right, client.bottom - top,
                                  doc.host.frame, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!doc.control) return -1;
  doc.previousProcedure = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(doc.control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorControlProc)));
  ::SetMenu(doc.host.frame, nullptr);
  ::SendMessageW(doc.control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ::SendMessageW(doc.control, EM_SETBKGNDCOLOR, 0, doc.host.settings->ClrEditorBackground);
  SetCharacterFormat(doc);
  ::EnableWindow(doc.control, TRUE);
  ::ShowWindow(doc.control, SW_SHOW);
  ::UpdateWindow(doc.control);
  ::SetFocus(doc.control);
  // Messages shown while the editor is open give the keyboard back to it, not to a hidden panel.
  SetErrorReportWindows(doc.host.frame, doc.control);
  doc.firstVisibleLine = 0;
  doc.loaded = false;
  ::SendMessageW(doc.control, EM_SETEDITSTYLE, SES_NOINPUTSEQUENCECHK | SES_XLTCRCRLFTOCR,
                 SES_NOINPUTSEQUENCECHK | SES_XLTCRCRLFTOCR);
  ::SendMessageW(doc.control, EM_SETMODIFY, FALSE, 0);
  ::SendMessageW(doc.control, EM_SETLANGOPTIONS, 0, IMF_UIFONTS);
  ::SendMessageW(doc.control, EM_SETREADONLY, FALSE, 0);
  UpdateStatus();
  return 0;
}

void CloseControl(EditorDocument& doc) {
  if (doc.control) {
    ::EnableWindow(doc.control, FALSE);
    ::ShowWindow(doc.control, SW_HIDE);
    ::DestroyWindow(doc.control);
  }
  doc.control = nullptr;
  doc.previousProcedure = nullptr;
  doc.library.Reset();
}

// The caret goes back to the line stored for this file, about a quarter down the window.
void RestoreCaretLine(EditorDocument& doc) {
  if (!doc.host.settings->EditorSavePosition) return;
  const auto line = RememberedLine(doc.sizeAtLoad, ReadHistoryPosition(kHistoryEditor, doc.fullPath));
  if (!line) return;
  doc.figures.lineCount = ::SendMessageW(doc.control, EM_GETLINECOUNT, 0, 0);
  const LRESULT start = ::SendMessageW(doc.control, EM_LINEINDEX, static_cast<WPARAM>(*line - 1), 0);
  if (start < 0) return;
  ::SendMessageW(doc.control, EM_SETSEL, start, start);
  ScrollLineIntoView(doc.control, *line - 1);
}

// Only a changed caption goes to the window system: setting one costs Wine a trip to the X
// server, and the status row is redrawn at every key.
void SetCaption(HWND frame, const Text& caption) {
  wchar_t shown[512];
  const int length = ::GetWindowTextW(frame, shown, 512);
  if (TextView(reinterpret_cast<const char16_t*>(shown), static_cast<size_t>(length)) != caption)
    ::SetWindowTextW(frame, platform::Wide(caption));
}

int64_t FileSize(HANDLE file) {
  LARGE_INTEGER size{};
  return ::GetFileSizeEx(file, &size) ? size.QuadPart : 0;
}

// The first 8 KB chose the encoding; the rest of the file may undo UTF-8 or first show it, and a
// UTF-16 file may end in half a unit.
void SettleOverWholeFile(EditorEncoding& encoding, HANDLE file, int64_t size) {
  if (encoding.format == EditorFormat::Utf16 && (size - (encoding.byteOrderMark ? 2 : 0)) % 2 != 0) {
    LARGE_INTEGER last{};
    last.QuadPart = size - 1;
    DWORD read = 0;
    encoding.oddByte = ::SetFilePointerEx(file, last, nullptr, FILE_BEGIN) &&
                       ::ReadFile(file, &encoding.lastByte, 1, &read, nullptr) && read == 1;
    return;
  }
  if (!NeedsUtf8Check(encoding)) return;
  LARGE_INTEGER start{};
  ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
  std::string block(kCheckBlock, '\0');
  Utf8Check check;
  DWORD read = 0;
  while (check.valid && ::ReadFile(file, block.data(), kCheckBlock, &read, nullptr) && read > 0)
    CheckUtf8(check, reinterpret_cast<const uint8_t*>(block.data()), read);
  FinishUtf8Check(check);
  SettleEncoding(encoding, check);
}

}  // namespace

EditorDocument& TheEditorDocument() {
  static EditorDocument document;
  return document;
}

EditorSearch& TheEditorSearch() {
  static EditorSearch search;
  return search;
}

bool EditorActive() { return TheEditorDocument().editorActive; }
HWND EditorControl() { return TheEditorDocument().control; }

int OpenEditor(const EditorHost& host, TextView path, TextView fullPath) {
  EditorDocument& doc = TheEditorDocument();
  if (doc.editorActive) return -1;
  doc.host = host;
  const Text name(path);
  doc.attributes = ::GetFileAttributesW(platform::Wide(name));
  FileHandle file = OwnFile(::CreateFileW(platform::Wide(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    ReportError(u"Error opening file " + name);
    return -1;
  }
  doc.fileName = name;
  doc.fullPath = Text(fullPath);
  doc.sizeAtLoad = FileSize(file.Get());
  uint8_t sample[8192];
  DWORD read = 0;
  if (!::ReadFile(file.Get(), sample, sizeof sample, &read, nullptr)) read = 0;
  doc.encoding = ChooseEncoding(sample, read, ExtensionOf(name));
  SettleOverWholeFile(doc.encoding, file.Get(), doc.sizeAtLoad);
  if (doc.encoding.binary) {
    const Text question = name + u" is a binary file. It is not recommended to save this file as text.\n\n"
                                 u"Load file for edit as text?";
    if (Ask(nullptr, question, u"Binary file", MessageIcon::Information, MessageButtons::YesNo) != MessageAnswer::Yes)
      return -1;
  }
  if (CreateEditor(doc) != 0 || StreamIn(doc, file.Get()) != 0) {
    file.Reset();
    ConfirmClose();
    return -1;
  }
  file.Reset();
  RestoreCaretLine(doc);
  UpdateStatus();
  return 0;
}

int ConfirmClose() {
  EditorDocument& doc = TheEditorDocument();
  if (!doc.editorActive) return 0;
  if (doc.control && ::SendMessageW(doc.control, EM_GETMODIFY, 0, 0)) {
    const MessageAnswer answer = Ask(nullptr, u"Do you want to save changes " + doc.fileName + u"?",
                                     u"File has been modified", MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel) return -2;
    if (answer == MessageAnswer::Yes && Save(false) != 0 &&
        Ask(nullptr, u"Error save changes " + doc.fileName, u"Error save changes. Exit?", MessageIcon::Error,
            MessageButtons::YesNo) != MessageAnswer::Yes)
      return -2;
  }
  if (doc.loaded && doc.host.settings)
    AddHistory(*doc.host.settings, kHistoryEditor, doc.fullPath, doc.figures.caretLine);
  if (*doc.host.searchDialog) ::DestroyWindow(*doc.host.searchDialog);
  CloseControl(doc);
  doc.loaded = false;
  doc.host.leave(doc.fileName);
  doc.editorActive = false;
  return 0;
}

void UpdateStatus() {
  EditorDocument& doc = TheEditorDocument();
  if (!doc.editorActive || !doc.loaded || !IsShown(doc)) return;
  HWND control = doc.control;
  doc.firstVisibleLine = ::SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0) + 1;
  CHARRANGE selection{};
  ::SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const LRESULT line = ::SendMessageW(control, EM_EXLINEFROMCHAR, 0, selection.cpMin);
  const LRESULT lineStart = ::SendMessageW(control, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  doc.figures.caretLine = line + 1;
  doc.figures.charColumn = selection.cpMin - lineStart + 1;
  doc.figures.lineCount =
      doc.sizeAtLoad < kLineCountSizeLimit ? ::SendMessageW(control, EM_GETLINECOUNT, 0, 0) : -1;
  POINTL caret{};
  ::SendMessageW(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), selection.cpMin);
  doc.figures.visualColumn = caret.x / 8;
  SetCaption(doc.host.frame, EditorCaption(doc.fileName));

  HDC dc = ::GetDC(doc.host.frame);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  RECT client{};
  ::GetClientRect(doc.host.frame, &client);
  const int columns = metrics.tmAveCharWidth > 0 ? client.right / metrics.tmAveCharWidth + 1 : 80;
  const bool modified = ::SendMessageW(control, EM_GETMODIFY, 0, 0) != 0;
  const Text row = EditorStatusRow(doc.fileName, doc.encoding.format, doc.figures, modified, columns);
  const Settings& settings = *doc.host.settings;
  const COLORREF text = ::SetTextColor(dc, settings.ClrEditorStatusbarText);
  const COLORREF back = ::SetBkColor(dc, settings.ClrEditorStatusbarBackground);
  const int mode = ::SetBkMode(dc, OPAQUE);
  // The figures stay at the right edge when the name is too long for the row.
  const int x = row.size() > static_cast<size_t>(columns)
                    ? client.right - static_cast<int>(row.size()) * metrics.tmAveCharWidth
                    : 0;
  ::TextOutW(dc, x, 0, platform::Wide(row), static_cast<int>(row.size()));
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
  ::SetBkMode(dc, mode);
  ::ReleaseDC(doc.host.frame, dc);
}

void ScrollLineIntoView(HWND control, int64_t line) {
  const LRESULT first = ::SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0);
  ::SendMessageW(control, EM_LINESCROLL, 0, static_cast<LPARAM>(QuarterScroll(line + 1, first + 1)));
}

}  // namespace nrv
