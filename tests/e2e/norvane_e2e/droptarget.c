/* A program of the tests' own that takes files dropped on it through the OLE drag loop, as
 * another program (an editor, a mail client) would, and says what it got.
 *
 *   droptarget OUT X Y WIDTH HEIGHT
 *
 * shows a topmost window at that screen rectangle, registered as a drop target that accepts
 * CF_HDROP with a copy. OUT gets "ready" once it is registered, then, at the drop, one JSON
 * line per named path: the path, whether a file or folder of that path exists at that moment,
 * and a file's first 4 KiB as hex; then "dropped". It ends after the drop, or after two
 * minutes. */
#define COBJMACROS
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static FILE *out;
static HWND window;

static HRESULT STDMETHODCALLTYPE query(IDropTarget *self, REFIID riid, void **object) {
  if (IsEqualIID(riid, &IID_IUnknown) || IsEqualIID(riid, &IID_IDropTarget)) {
    *object = self;
    return S_OK;
  }
  *object = NULL;
  return E_NOINTERFACE;
}
static ULONG STDMETHODCALLTYPE no_count(IDropTarget *self) { (void)self; return 1; }

static HRESULT STDMETHODCALLTYPE enter(IDropTarget *self, IDataObject *data, DWORD keys, POINTL point,
                                       DWORD *effect) {
  (void)self, (void)data, (void)keys, (void)point;
  *effect = DROPEFFECT_COPY;
  return S_OK;
}
static HRESULT STDMETHODCALLTYPE over(IDropTarget *self, DWORD keys, POINTL point, DWORD *effect) {
  (void)self, (void)keys, (void)point;
  *effect = DROPEFFECT_COPY;
  return S_OK;
}
static HRESULT STDMETHODCALLTYPE leave(IDropTarget *self) { (void)self; return S_OK; }

static void write_json_text(const wchar_t *text) {
  char utf8[4 * MAX_PATH * 4];
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  fputc('"', out);
  for (const char *c = utf8; *c; ++c) {
    if (*c == '\\' || *c == '"') fputc('\\', out);
    fputc(*c, out);
  }
  fputc('"', out);
}

static void report(const wchar_t *path) {
  const DWORD attributes = GetFileAttributesW(path);
  fputs("{\"path\": ", out);
  write_json_text(path);
  fprintf(out, ", \"exists\": %s, \"head\": \"", attributes == INVALID_FILE_ATTRIBUTES ? "false" : "true");
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, 0, NULL);
  if (file != INVALID_HANDLE_VALUE) {
    unsigned char bytes[4096];
    DWORD got = 0;
    if (ReadFile(file, bytes, sizeof bytes, &got, NULL))
      for (DWORD i = 0; i < got; ++i) fprintf(out, "%02x", bytes[i]);
    CloseHandle(file);
  }
  fputs("\"}\n", out);
}

static HRESULT STDMETHODCALLTYPE drop(IDropTarget *self, IDataObject *data, DWORD keys, POINTL point,
                                      DWORD *effect) {
  (void)self, (void)keys, (void)point;
  FORMATETC format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium;
  *effect = DROPEFFECT_NONE;
  if (IDataObject_GetData(data, &format, &medium) == S_OK) {
    HDROP list = (HDROP)GlobalLock(medium.hGlobal);
    const UINT count = DragQueryFileW(list, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < count; ++i) {
      wchar_t path[4 * MAX_PATH];
      if (DragQueryFileW(list, i, path, 4 * MAX_PATH)) report(path);
    }
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    *effect = DROPEFFECT_COPY;
  }
  fputs("dropped\n", out);
  fflush(out);
  PostMessageW(window, WM_CLOSE, 0, 0);
  return S_OK;
}

static IDropTargetVtbl vtbl = {query, no_count, no_count, enter, over, leave, drop};
static IDropTarget target = {&vtbl};

static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY || (message == WM_TIMER && wparam == 1)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

int wmain(int argc, wchar_t **argv) {
  if (argc != 6) return 2;
  out = _wfopen(argv[1], L"w");
  if (!out) return 3;
  OleInitialize(NULL);
  WNDCLASSW type = {0};
  type.lpfnWndProc = procedure;
  type.hInstance = GetModuleHandleW(NULL);
  type.hbrBackground = (HBRUSH)(COLOR_BTNSHADOW + 1);
  type.lpszClassName = L"TestDropTarget";
  RegisterClassW(&type);
  window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"TestDropTarget", L"droptarget", WS_POPUP,
                           _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), NULL, NULL,
                           type.hInstance, NULL);
  if (!window || RegisterDragDrop(window, &target) != S_OK) return 4;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  SetTimer(window, 1, 120000, NULL);
  fputs("ready\n", out);
  fflush(out);
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RevokeDragDrop(window);
  fclose(out);
  OleUninitialize();
  return 0;
}
