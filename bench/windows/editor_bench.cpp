// Loads a text file into the editor's rich-edit control and saves it, against CopyFileW of the
// same file in the same run. Prints each round, the medians, seconds per MiB and the ratio.
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "core/settings.h"
#include "editor/editor_document_win32.h"
#include "platform/message_box.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

HWND frame = nullptr;
HWND searchSlot = nullptr;
nrv::Settings settings;

void Nothing() {}
void NothingWith(nrv::TextView) {}

nrv::platform::MessageAnswer Refuse(const nrv::platform::MessageRequest& request) {
  std::fprintf(stderr, "message: %ls\n", reinterpret_cast<const wchar_t*>(request.text.c_str()));
  return nrv::platform::MessageAnswer::No;
}

DWORD CALLBACK Discard(DWORD_PTR, LPBYTE, LONG size, LONG* taken) {
  *taken = size;
  return 0;
}

// The control's own part of a save: its text streamed out and thrown away.
double StreamOutOnly() {
  const auto start = Clock::now();
  EDITSTREAM stream{0, 0, Discard};
  ::SendMessageW(nrv::EditorControl(), EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  return Milliseconds(start);
}

// The control's part of the plain-text save: its whole text read in one piece.
double TextRangeOnly() {
  const auto start = Clock::now();
  HWND control = nrv::EditorControl();
  GETTEXTLENGTHEX ask{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LONG length = static_cast<LONG>(::SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&ask), 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  TEXTRANGEW range{{0, length}, text.data()};
  ::SendMessageW(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  return Milliseconds(start);
}

nrv::EditorHost Host() {
  nrv::EditorHost host;
  host.frame = frame;
  host.settings = &settings;
  host.searchDialog = &searchSlot;
  host.enter = Nothing;
  host.leave = NothingWith;
  return host;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor_bench FILE [ROUNDS]\n");
    return 2;
  }
  const std::wstring file = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
  nrv::platform::SetMessageHook(Refuse);
  frame = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
  const nrv::Text path(reinterpret_cast<const char16_t*>(file.c_str()));
  const std::wstring copy = file + L".copy";
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
  const double mebibytes = (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1048576.0;
  std::vector<double> loads, saves, copies, streams, ranges;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    if (nrv::OpenEditor(Host(), path, path) != 0) return 1;
    loads.push_back(Milliseconds(start));
    start = Clock::now();
    if (nrv::Save(false) != 0) return 1;
    saves.push_back(Milliseconds(start));
    streams.push_back(StreamOutOnly());
    ranges.push_back(TextRangeOnly());
    nrv::ConfirmClose();
    start = Clock::now();
    if (!::CopyFileW(file.c_str(), copy.c_str(), FALSE)) return 1;
    copies.push_back(Milliseconds(start));
    ::DeleteFileW(copy.c_str());
    std::printf("round %d: load %.0f ms, save %.0f ms (the control's stream-out alone %.0f ms, its text read in one "
                "piece %.0f ms), CopyFileW %.0f ms\n",
                round + 1, loads.back(), saves.back(), streams.back(), ranges.back(), copies.back());
  }
  const double load = Median(loads), save = Median(saves), copied = Median(copies), streamed = Median(streams);
  const double ranged = Median(ranges);
  std::printf("%.1f MiB: load %.3f s (%.3f s/MiB), save %.3f s, stream-out alone %.3f s, text read alone %.3f s, "
              "CopyFileW %.3f s, save/copy %.2f, save/stream-out %.2f\n",
              mebibytes, load / 1000, load / 1000 / mebibytes, save / 1000, streamed / 1000, ranged / 1000,
              copied / 1000, save / copied, save / streamed);
  return 0;
}
