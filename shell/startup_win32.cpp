#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <wininet.h>

#include <utility>

#include "archive/archive_bridge_win32.h"
#include "core/settings.h"
#include "config/settings_store.h"
#include "core/drive_table.h"
#include "core/listing.h"
#include "panel/panel_paint.h"
#include "panel/drive_details.h"
#include "panel/panel_reader.h"
#include "panel/shell_calls.h"
#include "panel/watcher.h"
#include "panel/watcher_win32.h"
#include "shell/viewer_frame_win32.h"
#include "shell/toolbar.h"
#include "platform/private_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/system.h"
#include "platform/win32/wide.h"
#include "shell/activation.h"
#include "shell/drag_drop_win32.h"
#include "shell/drawing_objects.h"
#include "platform/error_report.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/main_loop.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_reads_win32.h"
#include "shell/application.h"
#include "config/tab_store.h"
#include "shell/panel_tabs_win32.h"
#include "shell/tab_row_win32.h"
#include "shell/start_paths.h"
#include "shell/startup.h"
#include "shell/window_procedures.h"

namespace nrv {
namespace {

constexpr std::chrono::milliseconds kFirstReadWait{150};

void ShowStartupMessage(const char16_t* text, platform::MessageIcon icon, const char16_t* caption) {
  platform::MessageRequest request;
  request.text = text;
  request.caption = caption;
  request.icon = icon;
  platform::ShowMessage(request);
}

// The folder of the running program, with its final backslash.
Text ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  Text folder = platform::FromWide(path, length);
  const size_t slash = folder.find_last_of(u"\\/");
  return slash == Text::npos ? Text() : folder.substr(0, slash + 1);
}

bool IsNtFamily() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return !::GetVersionExW(&info) || info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void ReportMissingArchiveLibrary() {
  ShowStartupMessage(
      u"Error loading 7-zip library (7z.dll). Please check the file 7z.dll and restart program. Working with "
      u"archives are unavailable in this session.",
      platform::MessageIcon::Information, kProgramCaption);
}

Text ArchiveLibraryPath() { return ProgramFolder() + u"7z.dll"; }

// Binding 7z.dll pulls in the COM libraries; before the window only the file is looked at (mapped
// as data, imports left alone), so a missing or damaged library is still reported first.
bool CheckArchiveLibrary() {
  if (!IsNtFamily()) {
    ShowStartupMessage(u"Unsupported Windows version", platform::MessageIcon::Error, kProgramCaption);
    return false;
  }
  const platform::Module image(
      ::LoadLibraryExW(platform::Wide(ArchiveLibraryPath()), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!image.Get()) ReportMissingArchiveLibrary();
  return image.Get() != nullptr;
}

void LoadArchiveLibrary(ShellWindows& windows) {
  windows.archiveLibrary = platform::Module(::LoadLibraryW(platform::Wide(ArchiveLibraryPath())));
  SetArchiveLibrary(windows.archiveLibrary.Get());
  if (!windows.archiveLibrary.Get()) ReportMissingArchiveLibrary();
}

void OpenInternet(ShellWindows& windows) {
  windows.internet = platform::InternetHandle(
      ::InternetOpenW(L"Norvane ", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!windows.internet.Get())
    ReportError(u"WinInet initialization failed.\r\nTCP/IP services are unavailable in this session.");
  TheApplication().leftFtp.internet = TheApplication().rightFtp.internet = windows.internet.Get();
}

void LoadToolIcons(ShellWindows& windows) {
  for (int id = IDI_FIRST_TOOL_ICON; id <= IDI_LAST_TOOL_ICON; ++id) {
    if (id == IDI_NO_ICON) continue;
    HICON icon = static_cast<HICON>(::LoadImageW(windows.instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    windows.icons[static_cast<size_t>(id - IDI_FIRST_TOOL_ICON)] = platform::OwnedIcon(icon);
  }
}

void StartServicesAndDrawTools() {
  StartDeferredServices();
  LoadToolIcons(TheShellWindows());
  DrawToolbar();
}

void LoadCursors(ShellWindows& windows) {
  windows.arrowCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windows.waitCursor = ::LoadCursorW(nullptr, IDC_WAIT);
  windows.sizeWestEastCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
  windows.sizeNorthSouthCursor = ::LoadCursorW(nullptr, IDC_SIZENS);
  ::SetCursor(windows.arrowCursor);
}

void InitialisePanels(const Settings& s) {
  Panel& left = PanelOf(kLeftPanel);
  Panel& right = PanelOf(kRightPanel);
  left.side = kLeftPanel;
  right.side = kRightPanel;
  left.viewMode = s.ModePanelLeft;
  right.viewMode = s.ModePanelRight;
  left.briefColumns = s.ModePanelLeftColumns;
  right.briefColumns = s.ModePanelRightColumns;
  left.sortMode = s.SortPanelLeft;
  right.sortMode = s.SortPanelRight;
}

void KeepContexts(ShellWindows& windows, const Settings& s) {
  windows.leftDc = platform::KeptDc(windows.left);
  windows.rightDc = platform::KeptDc(windows.right);
  windows.viewerDc = platform::KeptDc(windows.viewer);
  ::SetBkColor(windows.leftDc.Get(), s.ClrPanelBackground);
  ::SetBkColor(windows.rightDc.Get(), s.ClrPanelBackground);
  ::SetBkColor(windows.viewerDc.Get(), s.ClrViewerBackground);
  windows.mainDc = platform::KeptDc(windows.main);
  MakePensAndBrushes();
  ViewOf(kLeftPanel).window = windows.left;
  ViewOf(kRightPanel).window = windows.right;
  ViewOf(kLeftPanel).dc = windows.leftDc.Get();
  ViewOf(kRightPanel).dc = windows.rightDc.Get();
}

void ListBothPanels(Application& application) {
  application.context.watch = ChangeWatchHooks();
  application.context.updateTarget = application.windows.main;
  application.context.reads = ShellReadHooks();
  for (int side : {kLeftPanel, kRightPanel}) ReadNewLocation(PanelOf(side), ItemsOf(side), SaveLocation(PanelOf(side)), {});
  // The window is not shown yet: a quick first read is there when it is; a slow one counts.
  for (int side : {kLeftPanel, kRightPanel}) FinishReadWithin(PanelOf(side), ItemsOf(side), kFirstReadWait);
}

// Contexts first, so the objects selected into them can be deleted afterwards.
void ReleaseShellObjects(ShellWindows& windows) {
  windows.mainDc.Reset();
  windows.leftDc.Reset();
  windows.rightDc.Reset();
  windows.viewerDc.Reset();
  for (auto& font : windows.fixedFonts) font.Reset();
  windows.iconTitleFont.Reset();
  for (PanelFonts* fonts : {&windows.leftFonts, &windows.rightFonts}) {
    fonts->item.Reset();
    fonts->title.Reset();
  }
  windows.textPen.Reset();
  windows.backgroundBrush.Reset();
  windows.mainBackgroundBrush.Reset();
  windows.toolbarBrush.Reset();
  windows.titleBrush.Reset();
  windows.internet.Reset();
  SetArchiveLibrary(nullptr);
  windows.archiveLibrary.Reset();
}

}  // namespace

void StartDeferredServices() {
  ShellState& state = TheShellState();
  if (state.servicesStarted || !state.startupDone) return;
  state.servicesStarted = true;
  ShellWindows& windows = TheShellWindows();
  if (state.archiveLibraryChecked) LoadArchiveLibrary(windows);
  OpenInternet(windows);
  TheApplication().oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  // Wine's drag loop drops only on registered targets; Windows also falls back to WM_DROPFILES.
  if (TheApplication().oleStarted) RegisterPanelDropTargets();
}

int StartShell(HINSTANCE instance) {
  ShellWindows& windows = TheShellWindows();
  ShellState& state = TheShellState();
  Settings& settings = TheSettings();
  windows.instance = instance;
  // Before anything can be extracted; a failure is said when a copy is first wanted.
  platform::OpenPrivateFolder();
  windows.osMajor = platform::OsMajorVersion();
  TheShellState().archiveLibraryChecked = CheckArchiveLibrary();
  const LOGFONTW iconTitle = ToLogFont(platform::IconTitleFont());
  CreateFixedFontTable(windows.osMajor);
  LoadSettings(settings);
  windows.iconTitleFont.Reset(::CreateFontIndirectW(&iconTitle));
  ApplyPanelFonts(settings);

  state.windowsOffset = settings.WindowsOffset;
  state.viewerFontSize = settings.FontViewerSize;
  state.viewerFontFace = settings.FontViewerFace;
  state.statusFontSize = settings.FontStatusbarSize;
  state.statusFontFace = settings.FontStatusbarFace;
  if (BuildMainMenu() < 0) return -1;
  if (CreateShellWindows(instance, MainMenuBar()) < 0) return -1;
  state.windowsCreated = true;
  SharedDrawing& drawing = TheApplication().drawing;
  drawing.ready = true;
  drawing.drawToolbar = [](void*) { DrawToolbar(); };
  drawing.drawMainStatusBar = [](void*) { DrawMainStatusBar(); };
  drawing.titleOf = [](void*, const Panel& panel) { return OpsOf(panel).title(panel); };
  drawing.drawTabRow = [](void*, const Panel& panel, NativeDc dc) { DrawTabRow(panel, dc); };
  AttachMenu();  // the bar stays only when PanelShowMenu is set
  LoadCursors(windows);
  InitialisePanels(settings);

  const Text processFolder = platform::CurrentFolder();
  if (processFolder.empty()) {
    ReportError(u"Critical error: GetCurrentDirectory() failed.");
    return -1;
  }
  const Text leftStart = StartFolder(settings.PanelPathLeft, processFolder);
  const Text rightStart = StartFolder(settings.PanelPathRight, processFolder);
  DriveTable& drives = TheApplication().context.drives;
  // Slow drives' details come from a worker, posted to the main window.
  TheApplication().context.updateTarget = windows.main;
  TheApplication().context.reads = ShellReadHooks();
  if (RebuildDrives(TheApplication().context) != 0)
    ShowStartupMessage(u"Error get drives", platform::MessageIcon::Error, u"Error");
  TakeStartDrive(PanelOf(kLeftPanel), leftStart, drives);
  TakeStartDrive(PanelOf(kRightPanel), rightStart, drives);
  PanelOf(kLeftPanel).path = leftStart;
  PanelOf(kRightPanel).path = rightStart;

  KeepContexts(windows, settings);
  AttachViewerToFrame();
  // The window shows first; the archive library, the Internet handle, OLE, tool icons, item
  // icons and type names follow a moment later.
  HoldShellCalls(&StartServicesAndDrawTools);
  ComputeTotals(ItemsOf(kLeftPanel), PanelOf(kLeftPanel));
  ComputeTotals(ItemsOf(kRightPanel), PanelOf(kRightPanel));
  SelectFixedFont(windows.mainDc.Get(), state.statusFontSize, state.statusFontFace);
  SelectFixedFont(windows.viewerDc.Get(), state.viewerFontSize, state.viewerFontFace);
  ListBothPanels(TheApplication());
  LoadTabSwitch(settings);
  for (int side : {kLeftPanel, kRightPanel}) {
    SavedTabs saved;
    LoadTabValues(side, saved);
    SetUpTabs(PanelOf(side), ItemsOf(side), saved);
  }
  UpdateCheckMarks();

  ::EnableWindow(windows.viewer, FALSE);
  ::ShowWindow(windows.viewer, SW_HIDE);
  state.editorOpen = false;
  ::DragAcceptFiles(windows.left, TRUE);
  ::DragAcceptFiles(windows.right, TRUE);

  if (::IsWindowVisible(windows.main)) {
    PanelOf(kLeftPanel).active = 1;
    PanelOf(kRightPanel).active = 0;
    SetErrorReportWindows(windows.main, windows.left);
    ::SetFocus(windows.left);
    ShowActivePathInTitle();  // the panels are drawn once, laid out, by the resize below
  }
  state.startupDone = true;
  ComputeClientMetrics();
  ::SendMessageW(windows.main, WM_SIZE, 0, 0);

  return 0;
}

void StopShell() {
  // Every worker is told to stop and joined before anything it could touch goes.
  Application& application = TheApplication();
  StopReads(application.left);
  StopReads(application.right);
  StopDriveDetails(application.context);
  application.context.reads = {};
  application.context.watch = {};
  StopWatcher(application.left);
  StopWatcher(application.right);
  StopAndJoinAll(application.fileWorkers);
  application.context.updateTarget = nullptr;
  application.drawing.ready = false;
  // The panels' connections live on the process's Internet handle, which goes with the rest.
  application.leftFtp.connection.Reset();
  application.rightFtp.connection.Reset();
  ReleaseShellObjects(TheShellWindows());
  if (std::exchange(application.oleStarted, false)) ::OleUninitialize();
  // After the workers and OLE: nothing writes a copy any more.
  platform::ClosePrivateFolder();
}

int RunNorvane(HINSTANCE instance) {
  if (StartShell(instance) == 0) RunMainLoop();
  StopShell();
  return 0;
}

}  // namespace nrv
