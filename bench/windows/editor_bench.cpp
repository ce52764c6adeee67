// The editor's load and save of text files against a bare program in the same process: the
// same control class with the same options, fed the file's text converted by the system in
// one piece, and its text streamed out, converted in one piece and written with WriteFile.
// Also each loading step of the control alone (plain-text mode, undo, redraw) and the time
// from a posted key to its painted character in the loaded file.
//
//   editor_bench ROUNDS [--steps] [--typing] FILE [[--steps] [--typing] FILE]...
// (--steps and --typing apply to the file after them)
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <cstring>
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

nrv::EditorHost Host() {
  nrv::EditorHost host;
  host.frame = frame;
  host.settings = &settings;
  host.searchDialog = &searchSlot;
  host.enter = Nothing;
  host.leave = NothingWith;
  return host;
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  ::CloseHandle(file);
  return bytes;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

enum class Kind { Ansi, Utf8, Utf16 };

Kind KindOf(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return Kind::Utf16;
  for (unsigned char c : bytes.substr(0, 65536))
    if (c >= 0x80) return Kind::Utf8;
  return Kind::Ansi;
}

// The system's conversion in one call: what any program must do to show the file.
std::wstring Decode(const std::string& bytes, Kind kind) {
  if (kind == Kind::Utf16) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * 2);
    return text;
  }
  const UINT page = kind == Kind::Utf8 ? CP_UTF8 : CP_ACP;
  std::wstring text(bytes.size(), L'\0');
  const int units = ::MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                          static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(units));
  return text;
}

std::string Encode(const std::wstring& text, Kind kind) {
  if (kind == Kind::Utf16) {
    std::string bytes = "\xFF\xFE";
    bytes.resize(2 + text.size() * 2);
    std::memcpy(bytes.data() + 2, text.data(), text.size() * 2);
    return bytes;
  }
  const UINT page = kind == Kind::Utf8 ? CP_UTF8 : CP_ACP;
  std::string bytes(text.size() * 3, '\0');
  const int written = ::WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                            static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

// The loading steps, each of which can be changed to see what it is worth.
struct Steps {
  bool plainText = false;
  bool undoOff = false;
  bool redrawOff = true;
};
// What the editor does: only redraw off measured as worth keeping (none of the three showed a
// difference beyond the rounds' spread; redraw off also keeps half-loaded text off the screen).
constexpr Steps kEditorSteps{};

LRESULT textMode = 0;  // as the control reports it, to show that the mode was taken

// The editor's control as CreateEditor makes it, with the steps asked for.
HWND MakeControl(const Steps& steps) {
  RECT client{};
  ::GetClientRect(frame, &client);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_NOIME |
                      WS_HSCROLL | ES_AUTOHSCROLL;
  HWND control = ::CreateWindowExW(0, MSFTEDIT_CLASS, L"", style, 0, 16, client.right, client.bottom - 16, frame,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (steps.plainText) ::SendMessageW(control, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  textMode = ::SendMessageW(control, EM_GETTEXTMODE, 0, 0);
  ::SendMessageW(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ::SendMessageW(control, EM_SETBKGNDCOLOR, 0, settings.ClrEditorBackground);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR;
  ::lstrcpynW(format.szFaceName, L"Consolas", LF_FACESIZE);
  format.yHeight = 210;
  format.crTextColor = settings.ClrEditorText;
  ::SendMessageW(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  ::SendMessageW(control, EM_SETEDITSTYLE, SES_NOINPUTSEQUENCECHK | SES_XLTCRCRLFTOCR,
                 SES_NOINPUTSEQUENCECHK | SES_XLTCRCRLFTOCR);
  ::SendMessageW(control, EM_SETLANGOPTIONS, 0, IMF_UIFONTS);
  ::UpdateWindow(control);
  return control;
}

struct Feed {
  const wchar_t* text;
  size_t units;
  size_t at;
};

DWORD CALLBACK FeedCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& feed = *reinterpret_cast<Feed*>(cookie);
  const size_t units = std::min(static_cast<size_t>(wanted) / 2, feed.units - feed.at);
  std::memcpy(buffer, feed.text + feed.at, units * 2);
  feed.at += units;
  *given = static_cast<LONG>(units * 2);
  return 0;
}

// Read, convert and stream into a new control; the control is left for the save.
double BareLoad(const std::wstring& path, const Steps& steps, HWND& control, Kind& kind) {
  const auto start = Clock::now();
  control = MakeControl(steps);
  const std::string bytes = ReadAll(path);
  kind = KindOf(bytes);
  const std::wstring text = Decode(bytes, kind);
  if (steps.undoOff) ::SendMessageW(control, EM_SETUNDOLIMIT, 0, 0);
  if (steps.redrawOff) ::SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  Feed feed{text.data(), text.size(), 0};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&feed), 0, FeedCallback};
  ::SendMessageW(control, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  if (steps.redrawOff) ::SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(control, nullptr, TRUE);
  if (steps.undoOff) ::SendMessageW(control, EM_SETUNDOLIMIT, 100, 0);
  ::UpdateWindow(control);
  return Milliseconds(start);
}

DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* taken) {
  auto& text = *reinterpret_cast<std::wstring*>(cookie);
  text.append(reinterpret_cast<const wchar_t*>(buffer), static_cast<size_t>(size) / 2);
  *taken = size;
  return 0;
}

// Stream out, convert in one piece, one WriteFile.
double BareSave(HWND control, Kind kind, const std::wstring& target) {
  const auto start = Clock::now();
  std::wstring text;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&text), 0, Collect};
  ::SendMessageW(control, EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  if (!WriteAll(target, Encode(text, kind))) std::fprintf(stderr, "bare save failed\n");
  return Milliseconds(start);
}

// The typing probe: a posted character until the control has said it changed and painted.
bool changed = false;
bool painted = false;
WNDPROC frameProcedure = nullptr;
WNDPROC controlProcedure = nullptr;

LRESULT CALLBACK FrameProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) changed = true;
  return ::CallWindowProcW(frameProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = ::CallWindowProcW(controlProcedure, window, message, wParam, lParam);
  if (message == WM_PAINT && changed) painted = true;
  return result;
}

double KeyToPaint(HWND control) {
  changed = painted = false;
  const auto start = Clock::now();
  ::PostMessageW(control, WM_CHAR, L'x', 1);
  MSG message;
  while (!(changed && painted) && Milliseconds(start) < 5000) {
    if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
  return changed && painted ? Milliseconds(start) : -1;
}

void Typing(HWND control, const std::wstring& name, const char* who) {
  ::SendMessageW(control, EM_SETEVENTMASK, 0, ENM_CHANGE);
  frameProcedure = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProbe)));
  controlProcedure = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProbe)));
  for (const bool atEnd : {true, false}) {
    const LONG at = atEnd ? 0x7FFFFFFF : 0;
    ::SendMessageW(control, EM_SETSEL, at, at);
    ::SendMessageW(control, EM_SCROLLCARET, 0, 0);
    ::UpdateWindow(control);
    Pump();
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) times.push_back(KeyToPaint(control));
    std::sort(times.begin(), times.end());
    std::printf("%ls: %s: key to painted character at the %s: median %.1f ms, worst %.1f ms\n", name.c_str(), who,
                atEnd ? "end" : "start", Median(times), times.back());
  }
  ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure));
  ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProcedure));
  ::SendMessageW(control, EM_SETMODIFY, FALSE, 0);
}

std::wstring BaseName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

double MebibytesOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1048576.0;
}

// One file: the editor against the bare program, round by round in turn.
bool Compare(const std::wstring& file, int rounds, bool typing) {
  const nrv::Text path(reinterpret_cast<const char16_t*>(file.c_str()));
  const std::wstring bareCopy = file + L".bare";
  const std::wstring name = BaseName(file);
  const double mebibytes = MebibytesOf(file);
  std::vector<double> loads, saves, bareLoads, bareSaves, loadRatios, saveRatios;
  for (int round = 0; round < rounds; ++round) {
    HWND control = nullptr;
    Kind kind = Kind::Ansi;
    bareLoads.push_back(BareLoad(file, kEditorSteps, control, kind));
    bareSaves.push_back(BareSave(control, kind, bareCopy));
    if (typing && round == 0) Typing(control, name, "bare control");
    ::DestroyWindow(control);
    Pump();
    auto start = Clock::now();
    if (nrv::OpenEditor(Host(), path, path) != 0) return false;
    ::UpdateWindow(nrv::EditorControl());
    loads.push_back(Milliseconds(start));
    start = Clock::now();
    if (nrv::Save(false) != 0) return false;
    saves.push_back(Milliseconds(start));
    if (typing && round == 0) Typing(nrv::EditorControl(), name, "editor");
    nrv::ConfirmClose();
    Pump();
    loadRatios.push_back(loads.back() / bareLoads.back());
    saveRatios.push_back(saves.back() / bareSaves.back());
    std::printf("%ls round %d: load %.0f ms, bare %.0f ms (%.2fx); save %.0f ms, bare %.0f ms (%.2fx)\n", name.c_str(),
                round + 1, loads.back(), bareLoads.back(), loadRatios.back(), saves.back(), bareSaves.back(),
                saveRatios.back());
    std::fflush(stdout);
  }
  ::DeleteFileW(bareCopy.c_str());
  std::sort(loadRatios.begin(), loadRatios.end());
  std::sort(saveRatios.begin(), saveRatios.end());
  std::printf("%ls %.1f MiB: load %.3f s/MiB (bare %.3f), load/bare %.2f [%.2f-%.2f]; save %.3f s/MiB (bare %.3f), "
              "save/bare %.2f [%.2f-%.2f]\n",
              name.c_str(), mebibytes, Median(loads) / 1000 / mebibytes, Median(bareLoads) / 1000 / mebibytes,
              Median(loadRatios), loadRatios.front(), loadRatios.back(), Median(saves) / 1000 / mebibytes,
              Median(bareSaves) / 1000 / mebibytes, Median(saveRatios), saveRatios.front(), saveRatios.back());
  std::fflush(stdout);
  return true;
}

// Each step of the bare load left out in turn, against all of them, round by round.
void StepsOf(const std::wstring& file, int rounds) {
  struct Variant {
    const char* name;
    Steps steps;
  };
  const Variant variants[] = {{"the editor's steps", kEditorSteps},
                              {"plain-text mode", Steps{true, false, true}},
                              {"undo off", Steps{false, true, true}},
                              {"redraw on", Steps{false, false, false}}};
  std::vector<std::vector<double>> times(std::size(variants));
  std::vector<LRESULT> modes(std::size(variants));
  for (int round = 0; round < rounds; ++round) {
    // Each round starts with another variant: none always pays for a cold start.
    for (size_t k = 0; k < std::size(variants); ++k) {
      const size_t v = (k + static_cast<size_t>(round)) % std::size(variants);
      HWND control = nullptr;
      Kind kind = Kind::Ansi;
      times[v].push_back(BareLoad(file, variants[v].steps, control, kind));
      modes[v] = textMode;
      ::DestroyWindow(control);
      Pump();
    }
  }
  for (size_t v = 0; v < std::size(variants); ++v) {
    std::sort(times[v].begin(), times[v].end());
    std::printf("%ls steps: %s %.0f ms [%.0f-%.0f] (%.2fx the editor's; text mode %#lx)\n", BaseName(file).c_str(),
                variants[v].name, Median(times[v]), times[v].front(), times[v].back(),
                Median(times[v]) / Median(times[0]), static_cast<unsigned long>(modes[v]));
  }
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: editor_bench ROUNDS [--steps] [--typing] FILE...\n");
    return 2;
  }
  const int rounds = _wtoi(argv[1]);
  struct Job {
    std::wstring file;
    bool steps = false;
    bool typing = false;
  };
  std::vector<Job> jobs;
  Job next;
  for (int i = 2; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--steps") {
      next.steps = true;
    } else if (argument == L"--typing") {
      next.typing = true;
    } else {
      next.file = argument;
      jobs.push_back(next);
      next = Job{};
    }
  }
  nrv::platform::SetMessageHook(Refuse);
  // Kept loaded for the run, as the editor's own load finds it after its first opening.
  ::LoadLibraryW(L"msftedit.dll");
  settings.EditorSavePosition = 0;
  frame = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
  for (const Job& job : jobs) {
    if (job.steps) StepsOf(job.file, rounds);
    if (!Compare(job.file, rounds, job.typing)) {
      std::printf("%ls: the editor failed\n", BaseName(job.file).c_str());
      return 1;
    }
  }
  return 0;
}
