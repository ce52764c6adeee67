#include "shell/drag_drop_win32.h"

#include <ole2.h>
#include <shellapi.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "archive/archive_copies_win32.h"
#include "archive/extract_command_win32.h"
#include "core/listing.h"
#include "core/settings.h"
#include "editor/editor_document_win32.h"
#include "fileops/drag_items.h"
#include "fileops/drag_objects_win32.h"
#include "fileops/drop_action.h"
#include "fileops/drop_list.h"
#include "fileops/file_operation_win32.h"
#include "ftp/ftp_transfer_win32.h"
#include "panel/panel_paint.h"
#include "panel/panel_reader.h"
#include "panel/timer_ids.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/private_folder.h"
#include "platform/shell.h"
#include "platform/win32/wide.h"
#include "shell/activation.h"
#include "shell/application.h"
#include "shell/panel_tabs_win32.h"
#include "shell/tab_row_win32.h"

namespace nrv {
namespace {

constexpr UINT kDragWindowTickMs = 5;
constexpr BYTE kDragWindowAlpha = 127;

DragState& Drag() { return TheApplication().drag; }
HWND PanelWindow(int side) { return side == kLeftPanel ? TheShellWindows().left : TheShellWindows().right; }

Text AnsiText(std::string_view bytes) {
  Text text;
  SystemAnsiCodec().decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), text);
  return text;
}

DropOrigin OriginOf(int side) {
  DropOrigin origin;
  if (side != kLeftPanel && side != kRightPanel) return origin;
  origin.side = side;
  origin.kind = KindOf(PanelOf(side));
  return origin;
}

// Centred above the pointer.
void PlaceDragWindow() {
  const DragState& drag = Drag();
  POINT pointer{};
  if (!drag.window || !::GetCursorPos(&pointer)) return;
  ::SetWindowPos(drag.window.Get(), HWND_TOPMOST, pointer.x - drag.width / 2, pointer.y - drag.height, drag.width,
                 drag.height, SWP_NOACTIVATE);
}

void CALLBACK DragWindowTimer(HWND, UINT, UINT_PTR, DWORD) { PlaceDragWindow(); }

void ShowDragWindow(int side, const DragWindowText& text) {
  DragState& drag = Drag();
  const ShellWindows& windows = TheShellWindows();
  POINT pointer{};
  ::GetCursorPos(&pointer);
  const bool layered = windows.osMajor >= 6;
  drag.window.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | (layered ? WS_EX_LAYERED : 0), L"Static",
                                  platform::Wide(text.text), WS_POPUP, pointer.x, pointer.y, 0, 0, nullptr,
                                  nullptr, windows.instance, nullptr));
  if (!drag.window) return;
  HWND window = drag.window.Get();
  if (layered) ::SetLayeredWindowAttributes(window, 0, kDragWindowAlpha, LWA_ALPHA);
  HFONT font = FontsOf(side).item.Get();
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  TEXTMETRICW metrics{};
  if (HDC dc = ::GetDC(window)) {
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
  }
  drag.width = text.longestLine * metrics.tmAveCharWidth;
  drag.height = (text.lines + 1) * metrics.tmHeight;
  PlaceDragWindow();
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::SetTimer(windows.left, kDragScrollTimerId, kDragWindowTickMs, &DragWindowTimer);
}

// The dragged files of an FTP panel, downloaded by the transfer every copy uses into a folder
// of their own; one path per file that arrived.
std::vector<Text> DownloadDragCopies(Panel& panel, ItemList& list, const std::vector<const PanelItem*>& items) {
  std::vector<Text> paths;
  if (!platform::EnsurePrivateFolder()) return paths;
  const Text folder = platform::NewPrivateSubfolder();
  if (folder.empty() || platform::CreateFolderChain(folder) != 0) return paths;
  // Named before the transfer: a re-read during its window frees the items.
  for (const PanelItem* item : items) paths.push_back(folder + Text(ItemName(*item)));
  Panel local;  // the side the files go to: a panel that is not an FTP panel
  if (RunFtpTransfer(folder, panel, list, local, kOperationCopy) != 0) paths.clear();
  std::erase_if(paths, [](const Text& path) { return ::GetFileAttributesW(platform::Wide(path)) == INVALID_FILE_ATTRIBUTES; });
  return paths;
}

// What another program can read: archive and FTP items as copies in the private folder.
std::vector<Text> DraggedFiles(Panel& panel, ItemList& list, const std::vector<const PanelItem*>& items) {
  const LocationKind kind = KindOf(panel);
  // The copies' progress window takes the mouse: its Cancel would go to the panel otherwise.
  if (kind == LocationKind::Archive || kind == LocationKind::Ftp) ::ReleaseCapture();
  switch (kind) {
    case LocationKind::Archive: return ExtractDragCopies(panel, items);
    case LocationKind::Ftp: return DownloadDragCopies(panel, list, items);
    default: return DragPaths(panel, items);
  }
}

void RunDragLoop(const std::vector<Text>& paths) {
  ComRef<IDataObject> data = DropListObject(paths);
  IDropSource* sourceObject = nullptr;
  if (!data || CreateDropSource(&sourceObject) != S_OK) return;
  ComRef<IDropSource> source(sourceObject);
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
}

bool AcceptsDrop(int side) {
  return DecideDrop(side, KindOf(PanelOf(side)), OriginOf(CurrentDragOrigin())) != DropAction::None;
}

// Inside the drag loop: only handed on, so that the copy, extraction or transfer with their
// dialogs run once the loop is over.
void HandOnDrop(int side, HGLOBAL list) {
  if (!::PostMessageW(PanelWindow(side), kFilesDroppedMessage, reinterpret_cast<WPARAM>(list),
                      static_cast<LPARAM>(CurrentDragOrigin())))
    ::GlobalFree(list);
}

void CopyDropped(Panel& target, const std::vector<Text>& paths) {
  Application& application = TheApplication();
  const FileOperationHooks hooks = ShellFileOperationHooks(nullptr, application.fileWorkers, application.context);
  CopyDroppedFiles(ReadyListOf(paths), target, ItemsOf(target.side), hooks);
}

void AddDroppedToTemporary(Panel& target, const std::vector<Text>& paths) {
  const ReadyList ready = ReadyListOf(paths);
  if (OpsOf(target).copyIn(ready.names, target, ItemsOf(target.side)) == 0) RepaintPanel(target, ItemsOf(target.side));
}

void TransferDropped(Panel& from, Panel& to, TextView destination) {
  RunFtpTransfer(destination, from, ItemsOf(from.side), to, kOperationCopy);
}

// The paths whose names may land in a folder; one report names the others, and the rest of the
// drop goes on.
std::vector<Text> CheckedDropPaths(const std::vector<Text>& paths) {
  RefusedNames refused;
  std::vector<Text> accepted = AcceptedDropPaths(paths, refused);
  if (refused.count > 0) {
    platform::SetLastError(platform::kErrorInvalidName);
    ReportError(u"These dropped items were skipped:\n" + RefusedNamesText(refused));
  }
  return accepted;
}

}  // namespace

int CurrentDragOrigin() {
  const DragState& drag = Drag();
  return drag.running ? drag.sourceSide : 0;
}

void DragFilesOut(Panel& panel, ItemList& list) {
  DragState& drag = Drag();
  if (!TheSettings().PanelAllowDragdrop || !panel.leftButtonDown || drag.running) return;
  // Marked even for an empty panel: one drag per press of the button.
  drag.running = true;
  drag.sourceSide = panel.side;
  if (IsEmpty(list)) return;
  const LocationKind kind = KindOf(panel);
  if ((kind == LocationKind::Local || kind == LocationKind::Temporary) && SetCurrentFolder(panel) != 0) return;
  const std::vector<const PanelItem*> items = ChosenItems(panel, list);
  if (items.empty()) return;
  // The copies' windows may let a re-read free the items: their texts are taken first.
  const DragWindowText text = MakeDragWindowText(kind == LocationKind::Archive, items);
  const std::vector<Text> paths = DraggedFiles(panel, list, items);
  if (paths.empty()) {
    EndFileDrag();
    return;
  }
  ShowDragWindow(panel.side, text);
  RunDragLoop(paths);
  EndFileDrag();
  // The loop took the button's release: the panel keeps the keyboard it had.
  if (panel.active) ActivatePanel(panel);
}

void EndFileDrag() {
  DragState& drag = Drag();
  drag.running = false;
  drag.sourceSide = 0;
  PanelOf(kLeftPanel).leftButtonDown = 0;
  PanelOf(kRightPanel).leftButtonDown = 0;
  ::ReleaseCapture();
  ::KillTimer(TheShellWindows().left, kDragScrollTimerId);
  drag.window.Reset();
}

void RegisterPanelDropTargets() {
  const DropTargetCalls calls{&AcceptsDrop, &HandOnDrop};
  for (int side : {kLeftPanel, kRightPanel}) {
    IDropTarget* target = nullptr;
    if (CreateDropTarget(side, calls, &target) != S_OK) continue;
    ::RegisterDragDrop(PanelWindow(side), target);  // holds its own reference when it works
    target->Release();
  }
}

void OnFilesDropped(int targetSide, HGLOBAL list, int originSide) {
  std::vector<Text> paths;
  {
    const GlobalBlock owned(list);
    if (const void* bytes = list ? ::GlobalLock(list) : nullptr) {
      paths = ReadDropList(static_cast<const uint8_t*>(bytes), ::GlobalSize(list), &AnsiText);
      ::GlobalUnlock(list);
    }
  }
  if (paths.empty()) return;
  // Files dropped on a tab go to that tab's location: it is shown, then the panel's own drop
  // rules apply. The message's pointer position is where the drop was let go.
  const DWORD dropped = ::GetMessagePos();
  POINT point{static_cast<short>(LOWORD(dropped)), static_cast<short>(HIWORD(dropped))};
  ::ScreenToClient(PanelWindow(targetSide), &point);
  if (const int32_t tab = TabRowHit(PanelOf(targetSide), point.x, point.y); tab >= 0) {
    // The drop lands in the tab's folder, which the panel must hold before the copy starts.
    const ReadAtOnce atOnce(PanelOf(targetSide));
    ShowTabAt(PanelOf(targetSide), ItemsOf(targetSide), tab);
  }
  Panel& target = PanelOf(targetSide);
  const DropOrigin origin = OriginOf(originSide);
  const DropAction action = DecideDrop(targetSide, KindOf(target), origin);
  if (action == DropAction::Copy || action == DropAction::AddToTemporary) {
    paths = CheckedDropPaths(paths);
    if (paths.empty()) return;
  }
  switch (action) {
    case DropAction::None: break;
    case DropAction::Copy: CopyDropped(target, paths); break;
    case DropAction::AddToTemporary: AddDroppedToTemporary(target, paths); break;
    case DropAction::Extract:
      ExtractDroppedItems(PanelOf(origin.side), ArchiveNamesOf(paths), target.path);
      break;
    // Downloaded when the drag began: copied from there, not fetched again by a selection the
    // first transfer has ended.
    case DropAction::Download: CopyDropped(target, paths); break;
    case DropAction::Upload: TransferDropped(PanelOf(origin.side), target, target.ftpCurrentDir); break;
  }
}

}  // namespace nrv
