/* How long a window takes to answer: sends it WM_NULL every interval and records each wait,
   as a user's key press waits for the window's thread. Runs until the stop file appears (or
   the time limit), then writes {"count":N,"max_ms":X,"waits_ms":[...]} to the output file.

   answerprobe OUT.json HWND INTERVAL_MS STOPFILE LIMIT_S */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#define MAX_SAMPLES 100000

static double waits[MAX_SAMPLES];

int wmain(int argc, wchar_t** argv) {
  if (argc < 6) return 2;
  HWND window = (HWND)(ULONG_PTR)_wcstoui64(argv[2], NULL, 10);
  const DWORD interval = (DWORD)_wtoi(argv[3]);
  const wchar_t* stopFile = argv[4];
  const double limit = _wtof(argv[5]);
  LARGE_INTEGER frequency, start, before, after;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int count = 0;
  double longest = 0;
  /* Tell the test the probe runs: a first answer, written at once. */
  FILE* ready = _wfopen(argv[1], L"w");
  if (!ready) return 3;
  fputs("{\"started\":1}\n", ready);
  fclose(ready);
  while (count < MAX_SAMPLES && GetFileAttributesW(stopFile) == INVALID_FILE_ATTRIBUTES) {
    DWORD_PTR result = 0;
    QueryPerformanceCounter(&before);
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result)) return 4;
    QueryPerformanceCounter(&after);
    const double wait = (double)(after.QuadPart - before.QuadPart) * 1000.0 / (double)frequency.QuadPart;
    waits[count++] = wait;
    if (wait > longest) longest = wait;
    if ((double)(after.QuadPart - start.QuadPart) / (double)frequency.QuadPart > limit) break;
    Sleep(interval);
  }
  wchar_t partial[MAX_PATH + 8];
  swprintf(partial, MAX_PATH + 8, L"%ls.part", argv[1]);
  FILE* out = _wfopen(partial, L"w");
  if (!out) return 3;
  fprintf(out, "{\"count\":%d,\"max_ms\":%.3f,\"waits_ms\":[", count, longest);
  for (int i = 0; i < count; ++i) fprintf(out, "%s%.3f", i ? "," : "", waits[i]);
  fputs("]}\n", out);
  fclose(out);
  return MoveFileExW(partial, argv[1], MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
