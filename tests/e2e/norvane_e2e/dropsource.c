/* A program of the tests' own that drops files on a window of another program through the OLE
 * drag loop, as a file manager or the desktop would.
 *
 *   dropsource OUT X Y wide|ansi PATH...
 *   dropsource OUT X Y wide|ansi @LIST      the paths are the lines of the UTF-8 file LIST
 *
 * puts the pointer at the screen point X, Y, offers PATH... as one CF_HDROP list (UTF-16, or
 * in the ANSI code page) and lets the drag loop drop it there. OUT gets one JSON line with
 * DoDragDrop's result and the effect the target chose. */
#define COBJMACROS
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static HGLOBAL list;
static int polls;

/* Only the interfaces there are: COM asks a data object for IMarshal and others before it
 * hands it to another process. */
static HRESULT answer(void *self, REFIID riid, REFIID own, void **out) {
  if (IsEqualIID(riid, &IID_IUnknown) || IsEqualIID(riid, own)) {
    *out = self;
    return S_OK;
  }
  *out = NULL;
  return E_NOINTERFACE;
}
static HRESULT STDMETHODCALLTYPE source_query(void *self, REFIID riid, void **out) {
  return answer(self, riid, &IID_IDropSource, out);
}
static HRESULT STDMETHODCALLTYPE data_query(void *self, REFIID riid, void **out) {
  return answer(self, riid, &IID_IDataObject, out);
}
static ULONG STDMETHODCALLTYPE no_count(void *self) { (void)self; return 1; }

/* The drop source: lets the loop look at the target a few times, then drops. */
static HRESULT STDMETHODCALLTYPE continue_drag(IDropSource *self, BOOL escape, DWORD keys) {
  (void)self, (void)escape, (void)keys;
  return ++polls < 4 ? S_OK : DRAGDROP_S_DROP;
}
static HRESULT STDMETHODCALLTYPE feedback(IDropSource *self, DWORD effect) {
  (void)self, (void)effect;
  return DRAGDROP_S_USEDEFAULTCURSORS;
}
static IDropSourceVtbl source_vtbl = {(void *)source_query, (void *)no_count, (void *)no_count, continue_drag, feedback};
static IDropSource source = {&source_vtbl};

static FORMATETC hdrop_format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};

static HRESULT STDMETHODCALLTYPE get_data(IDataObject *self, FORMATETC *wanted, STGMEDIUM *medium) {
  (void)self;
  if (wanted->cfFormat != CF_HDROP || !(wanted->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
  SIZE_T size = GlobalSize(list);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(copy), GlobalLock(list), size);
  GlobalUnlock(copy);
  GlobalUnlock(list);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = copy;
  medium->pUnkForRelease = NULL;
  return S_OK;
}
static HRESULT STDMETHODCALLTYPE get_data_here(IDataObject *self, FORMATETC *f, STGMEDIUM *m) {
  (void)self, (void)f, (void)m;
  return DV_E_FORMATETC;
}
static HRESULT STDMETHODCALLTYPE query_data(IDataObject *self, FORMATETC *wanted) {
  (void)self;
  return wanted->cfFormat == CF_HDROP && (wanted->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
}
static HRESULT STDMETHODCALLTYPE canonical(IDataObject *self, FORMATETC *in, FORMATETC *out) {
  (void)self, (void)in;
  out->ptd = NULL;
  return E_NOTIMPL;
}
static HRESULT STDMETHODCALLTYPE set_data(IDataObject *self, FORMATETC *f, STGMEDIUM *m, BOOL r) {
  (void)self, (void)f, (void)m, (void)r;
  return E_NOTIMPL;
}
static HRESULT STDMETHODCALLTYPE enum_formats(IDataObject *self, DWORD direction, IEnumFORMATETC **out) {
  (void)self;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return SHCreateStdEnumFmtEtc(1, &hdrop_format, out);
}
static HRESULT STDMETHODCALLTYPE advise(IDataObject *self, FORMATETC *f, DWORD a, IAdviseSink *s, DWORD *c) {
  (void)self, (void)f, (void)a, (void)s, (void)c;
  return OLE_E_ADVISENOTSUPPORTED;
}
static HRESULT STDMETHODCALLTYPE unadvise(IDataObject *self, DWORD c) {
  (void)self, (void)c;
  return OLE_E_ADVISENOTSUPPORTED;
}
static HRESULT STDMETHODCALLTYPE enum_advise(IDataObject *self, IEnumSTATDATA **out) {
  (void)self, (void)out;
  return OLE_E_ADVISENOTSUPPORTED;
}
static IDataObjectVtbl data_vtbl = {(void *)data_query, (void *)no_count, (void *)no_count, get_data,
                                    get_data_here, query_data, canonical, set_data, enum_formats,
                                    advise, unadvise, enum_advise};
static IDataObject data = {&data_vtbl};

/* DROPFILES, then the paths each closed by a NUL, then one more NUL. */
static HGLOBAL make_list(int wide, int count, wchar_t **paths) {
  size_t bytes = sizeof(DROPFILES) + 2 * sizeof(wchar_t);
  for (int i = 0; i < count; ++i) bytes += (wcslen(paths[i]) + 1) * sizeof(wchar_t) * 2;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  DROPFILES *header = GlobalLock(block);
  header->pFiles = sizeof(DROPFILES);
  header->fWide = wide;
  char *at = (char *)(header + 1);
  for (int i = 0; i < count; ++i) {
    if (wide) {
      size_t length = wcslen(paths[i]) + 1;
      memcpy(at, paths[i], length * sizeof(wchar_t));
      at += length * sizeof(wchar_t);
    } else {
      at += WideCharToMultiByte(CP_ACP, 0, paths[i], -1, at, (int)(wcslen(paths[i]) * 2 + 1), NULL, NULL);
    }
  }
  GlobalUnlock(block);
  return block;
}

/* The lines of a UTF-8 file, for lists too long for a command line. */
static int read_lines(const wchar_t *path, wchar_t ***lines) {
  FILE *file = _wfopen(path, L"rb");
  if (!file) return -1;
  fseek(file, 0, SEEK_END);
  long size = ftell(file);
  fseek(file, 0, SEEK_SET);
  char *bytes = malloc((size_t)size + 1);
  size_t got = fread(bytes, 1, (size_t)size, file);
  fclose(file);
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes, (int)got, NULL, 0);
  wchar_t *text = calloc((size_t)length + 1, sizeof(wchar_t));
  MultiByteToWideChar(CP_UTF8, 0, bytes, (int)got, text, length);
  free(bytes);
  int count = 0;
  *lines = malloc(((size_t)length + 1) * sizeof(wchar_t *));
  for (wchar_t *line = wcstok(text, L"\r\n"); line; line = wcstok(NULL, L"\r\n")) (*lines)[count++] = line;
  return count;
}

int wmain(int argc, wchar_t **argv) {
  if (argc < 6) return 2;
  FILE *out = _wfopen(argv[1], L"wb");
  if (!out) return 3;
  OleInitialize(NULL);
  wchar_t **paths = argv + 5;
  int count = argc - 5;
  if (argv[5][0] == L'@' && (count = read_lines(argv[5] + 1, &paths)) < 0) return 4;
  list = make_list(wcscmp(argv[4], L"wide") == 0, count, paths);
  SetCursorPos(_wtoi(argv[2]), _wtoi(argv[3]));
  DWORD effect = DROPEFFECT_NONE;
  HRESULT result = DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
  fprintf(out, "{\"result\": %ld, \"effect\": %lu}\n", (long)result, (unsigned long)effect);
  fclose(out);
  GlobalFree(list);
  OleUninitialize();
  return 0;
}
