/* Reports what Wine keeps on the Windows side and X cannot show: window classes, child
 * windows with their rectangles and control ids, dialog texts, and registry values under
 * HKEY_CURRENT_USER.
 *
 *   winspy OUT windows        one JSON object per line for each top-level window and child
 *   winspy OUT reg SUBKEY     one JSON object per line for each value of HKCU\SUBKEY
 *   winspy OUT clipboard      the clipboard's Unicode text as UTF-8, byte for byte (CR LF kept)
 *   winspy OUT edittext HWND  the text of a rich-edit control, its line count and caret line
 *   winspy OUT lock PATH SECS holds PATH open without sharing for SECS seconds
 *
 * Output goes to the file OUT (UTF-8) so that no pipe is shared with Wine's helpers. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static FILE *out;

static void put_string(const wchar_t *text) {
  char utf8[8192];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  if (n <= 0) utf8[0] = 0;
  fputc('"', out);
  for (const unsigned char *p = (const unsigned char *)utf8; *p; ++p) {
    if (*p == '"' || *p == '\\') fprintf(out, "\\%c", *p);
    else if (*p < 0x20) fprintf(out, "\\u%04x", *p);
    else fputc(*p, out);
  }
  fputc('"', out);
}

/* put_string without a length limit, for a whole document. */
static void put_long_string(const wchar_t *text, int length) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, NULL, 0, NULL, NULL);
  char *utf8 = malloc(n + 1);
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, n, NULL, NULL);
  fputc('"', out);
  for (int i = 0; i < n; ++i) {
    const unsigned char c = (unsigned char)utf8[i];
    if (c == '"' || c == '\\') fprintf(out, "\\%c", c);
    else if (c < 0x20) fprintf(out, "\\u%04x", c);
    else fputc(c, out);
  }
  fputc('"', out);
  free(utf8);
}

/* WM_GETTEXT and the line messages carry no pointers the program would have to read, so
 * Windows passes them between processes. */
static int dump_edit_text(HWND edit) {
  LRESULT length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
  wchar_t *text = calloc((size_t)length + 2, sizeof(wchar_t));
  LRESULT got = SendMessageW(edit, WM_GETTEXT, (WPARAM)length + 1, (LPARAM)text);
  LRESULT lines = SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
  LRESULT caret = SendMessageW(edit, EM_LINEFROMCHAR, (WPARAM)-1, 0);
  fprintf(out, "{\"lines\": %lld, \"caret_line\": %lld, \"text\": ", (long long)lines, (long long)caret);
  put_long_string(text, (int)got);
  fprintf(out, "}\n");
  free(text);
  return 0;
}

static int hold_locked(const wchar_t *path, int seconds) {
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return 4;
  fprintf(out, "{\"locked\": 1}\n");
  fflush(out);
  Sleep((DWORD)seconds * 1000);
  CloseHandle(file);
  return 0;
}

static void put_window(HWND hwnd, HWND top) {
  wchar_t cls[256] = L"", text[1024] = L"";
  RECT rect = {0}, client = {0};
  DWORD pid = 0;
  GetClassNameW(hwnd, cls, 256);
  /* Reads the text without a message, so a busy program cannot hold the helper up. A
   * drop-down list keeps its text in its list: that needs a message, with a time limit. */
  InternalGetWindowText(hwnd, text, 1024);
  if (wcscmp(cls, L"ComboBox") == 0 && !text[0])
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
  GetWindowRect(hwnd, &rect);
  GetClientRect(hwnd, &client);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  GetWindowThreadProcessId(hwnd, &pid);
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  WINDOWPLACEMENT placement = {sizeof placement};
  GetWindowPlacement(hwnd, &placement);
  fprintf(out, "{\"hwnd\": %llu, \"top\": %llu, \"parent\": %llu, \"pid\": %lu, \"id\": %d, \"class\": ",
          (unsigned long long)(ULONG_PTR)hwnd, (unsigned long long)(ULONG_PTR)top,
          (unsigned long long)(ULONG_PTR)GetAncestor(hwnd, GA_PARENT), pid, top ? GetDlgCtrlID(hwnd) : 0);
  put_string(cls);
  fprintf(out, ", \"text\": ");
  put_string(text);
  fprintf(out,
          ", \"visible\": %d, \"enabled\": %d, \"focus\": %d, \"style\": %lu, \"show\": %u, "
          "\"rect\": [%ld, %ld, %ld, %ld], \"client\": [%ld, %ld, %ld, %ld]}\n",
          IsWindowVisible(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0,
          GetForegroundWindow() == hwnd ? 1 : 0, (unsigned long)style, placement.showCmd,
          rect.left, rect.top, rect.right, rect.bottom, origin.x, origin.y,
          origin.x + client.right, origin.y + client.bottom);
}

static BOOL CALLBACK each_child(HWND hwnd, LPARAM top) {
  put_window(hwnd, (HWND)top);
  return TRUE;
}

static BOOL CALLBACK each_top(HWND hwnd, LPARAM unused) {
  (void)unused;
  put_window(hwnd, NULL);
  EnumChildWindows(hwnd, each_child, (LPARAM)hwnd);
  return TRUE;
}

static int dump_registry(const wchar_t *subkey) {
  HKEY key;
  LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) {
    fprintf(out, "{\"error\": %ld}\n", rc);
    return 0;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[1024];
    static BYTE data[65536];
    DWORD name_len = 1024, data_len = sizeof data, type = 0;
    rc = RegEnumValueW(key, i, name, &name_len, NULL, &type, data, &data_len);
    if (rc != ERROR_SUCCESS) break;
    fprintf(out, "{\"name\": ");
    put_string(name);
    fprintf(out, ", \"type\": %lu, \"data\": \"", type);
    for (DWORD b = 0; b < data_len; ++b) fprintf(out, "%02x", data[b]);
    fprintf(out, "\"}\n");
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[1024];
    DWORD name_len = 1024;
    if (RegEnumKeyExW(key, i, name, &name_len, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    fprintf(out, "{\"subkey\": ");
    put_string(name);
    fprintf(out, "}\n");
  }
  RegCloseKey(key);
  return 0;
}

/* X clipboard tools fold line ends; this writes exactly what CF_UNICODETEXT holds. */
static int dump_clipboard(void) {
  if (!OpenClipboard(NULL)) return 4;
  int rc = 5;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t *text = data ? (const wchar_t *)GlobalLock(data) : NULL;
  if (text) {
    int length = (int)wcslen(text);
    int n = length ? WideCharToMultiByte(CP_UTF8, 0, text, length, NULL, 0, NULL, NULL) : 0;
    char *utf8 = (char *)HeapAlloc(GetProcessHeap(), 0, n > 0 ? n : 1);
    if (utf8) {
      if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, n, NULL, NULL);
      fwrite(utf8, 1, n, out);
      HeapFree(GetProcessHeap(), 0, utf8);
      rc = 0;
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
  return rc;
}

int wmain(int argc, wchar_t **argv) {
  if (argc < 3) return 2;
  out = _wfopen(argv[1], L"wb");
  if (!out) return 3;
  int rc = 2;
  if (wcscmp(argv[2], L"windows") == 0) {
    EnumWindows(each_top, 0);
    rc = 0;
  } else if (wcscmp(argv[2], L"clipboard") == 0) {
    rc = dump_clipboard();
  } else if (wcscmp(argv[2], L"reg") == 0 && argc > 3) {
    rc = dump_registry(argv[3]);
  } else if (wcscmp(argv[2], L"edittext") == 0 && argc > 3) {
    rc = dump_edit_text((HWND)(ULONG_PTR)_wcstoui64(argv[3], NULL, 10));
  } else if (wcscmp(argv[2], L"lock") == 0 && argc > 4) {
    rc = hold_locked(argv[3], _wtoi(argv[4]));
  } else if (wcscmp(argv[2], L"post") == 0 && argc > 6) {
    /* A message another program sends: it reaches a window whatever its input state. */
    HWND window = (HWND)(ULONG_PTR)_wcstoui64(argv[3], NULL, 10);
    UINT message = (UINT)wcstoul(argv[4], NULL, 10);
    WPARAM wparam = (WPARAM)_wcstoui64(argv[5], NULL, 10);
    rc = PostMessageW(window, message, wparam, (LPARAM)_wcstoi64(argv[6], NULL, 10)) ? 0 : 1;
  }
  fclose(out);
  return rc;
}
