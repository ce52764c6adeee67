#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "editor/editor_document_win32.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

constexpr DWORD kReadBlock = 256 * 1024;
constexpr size_t kWriteBlock = 4 * 1024 * 1024;
constexpr DWORD kCancelled = static_cast<DWORD>(-2);
constexpr DWORD kFailed = static_cast<DWORD>(-1);
constexpr DWORD kEscapeHeld = static_cast<DWORD>(-3);

struct LoadJob {
  EditorDocument* doc = nullptr;
  HANDLE file = nullptr;
  bool rich = false;
  bool ended = false;
  TextDecoder decoder;
  Text pending;  // decoded units not yet given to the control
  size_t taken = 0;
  std::string block;
  StreamProgress progress;
};

struct SaveJob {
  EditorDocument* doc = nullptr;
  HANDLE file = nullptr;
  Text shownName;
  bool rich = false;
  TextEncoder encoder;
  Text units;  // the control's bytes of one call as units
  bool hasOddByte = false;
  uint8_t oddByte = 0;
  std::string out;
  StreamProgress progress;
  bool failed = false;
  LineEnds current;  // the lines as they are now, when the file's breaks differ
  std::vector<LineEnd> plan;
};

void ShowProgress(HWND frame, TextView verb, TextView name, const StreamProgress& progress) {
  ::SetWindowTextW(frame, platform::Wide(ProgressCaption(verb, name, ProgressPercent(progress))));
}

// Held now, or pressed and let go since the last look: a short tap counts too.
bool EscapeHeld() {
  // Wine learns of key presses only while the thread looks at its queue.
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  return (::GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
}

bool CancelConfirmed(HWND control) {
  // The Escape that asked must not also answer.
  MSG message;
  while (::PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  return platform::ShowMessage({control, u"Do you want to cancel operation?", u"Interrupt operation",
                                platform::MessageIcon::Question, platform::MessageButtons::YesNo}) ==
         platform::MessageAnswer::Yes;
}

// Reads the next block of the file; false on a failed read.
bool ReadBlock(LoadJob& job) {
  job.block.resize(kReadBlock);
  DWORD read = 0;
  if (!::ReadFile(job.file, job.block.data(), kReadBlock, &read, nullptr)) return false;
  job.block.resize(read);
  const size_t from = job.pending.size();
  if (read == 0) {
    job.ended = true;
    FinishDecode(job.decoder, job.pending);
  } else {
    if (AdvanceProgress(job.progress, read)) ShowProgress(job.doc->host.frame, u"Loading", job.doc->fileName, job.progress);
    Decode(job.decoder, reinterpret_cast<const uint8_t*>(job.block.data()), read, job.pending);
  }
  NoteLineEnds(job.doc->lineEnds, job.pending, from);
  return true;
}

DWORD CALLBACK LoadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& job = *reinterpret_cast<LoadJob*>(cookie);
  *given = 0;
  // Asked before each block of the file, not at each of the control's small requests.
  const bool blockDue = job.rich || job.pending.size() - job.taken <= 1;
  if (blockDue && EscapeHeld()) {
    // Rich text cannot be taken up again in the middle: it asks here.
    if (!job.rich) return kEscapeHeld;
    if (CancelConfirmed(job.doc->control)) return kCancelled;
  }
  if (job.rich) {
    // Rich text goes to the control as it is.
    DWORD read = 0;
    if (!::ReadFile(job.file, buffer, static_cast<DWORD>(wanted), &read, nullptr)) return kFailed;
    if (AdvanceProgress(job.progress, read)) ShowProgress(job.doc->host.frame, u"Loading", job.doc->fileName, job.progress);
    *given = static_cast<LONG>(read);
    return 0;
  }
  // A CR held back at the end of the last call is joined by the next block.
  while (job.pending.size() - job.taken <= 1 && !job.ended) {
    job.pending.erase(0, job.taken);
    job.taken = 0;
    if (!ReadBlock(job)) return kFailed;
  }
  size_t units = std::min(static_cast<size_t>(wanted) / 2, job.pending.size() - job.taken);
  // Wine's control makes two line breaks of a CR that ends one call and the LF that starts the
  // next: a CR is not given last while more may follow.
  const bool last = job.ended && job.taken + units == job.pending.size();
  if (units > 1 && !last && job.pending[job.taken + units - 1] == u'\r') --units;
  std::memcpy(buffer, job.pending.data() + job.taken, units * 2);
  job.taken += units;
  *given = static_cast<LONG>(units * 2);
  return 0;
}

bool Flush(SaveJob& job) {
  size_t at = 0;
  while (at < job.out.size()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<size_t>(job.out.size() - at, kWriteBlock));
    if (!::WriteFile(job.file, job.out.data() + at, size, &written, nullptr) || written == 0) return false;
    at += written;
  }
  if (AdvanceProgress(job.progress, static_cast<int64_t>(job.out.size())))
    ShowProgress(job.doc->host.frame, u"Saving", job.shownName, job.progress);
  job.out.clear();
  return true;
}

// The control's bytes of one call as units; a unit split between two calls is joined.
void TakeUnits(SaveJob& job, const uint8_t* buffer, size_t length) {
  job.units.clear();
  size_t at = 0;
  if (job.hasOddByte && length) {
    job.units.push_back(static_cast<char16_t>(job.oddByte | (buffer[0] << 8)));
    job.hasOddByte = false;
    at = 1;
  }
  const size_t whole = (length - at) / 2;
  job.units.resize(job.units.size() + whole);
  std::memcpy(job.units.data() + job.units.size() - whole, buffer + at, whole * 2);
  at += whole * 2;
  if (at < length) {
    job.hasOddByte = true;
    job.oddByte = buffer[at];
  }
}

// Only the fingerprint of each line, to match the lines with the loaded ones.
DWORD CALLBACK PrintCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* taken) {
  auto& job = *reinterpret_cast<SaveJob*>(cookie);
  *taken = size;
  TakeUnits(job, buffer, static_cast<size_t>(size));
  NoteLineEnds(job.current, job.units, 0);
  return 0;
}

// Each call's bytes are converted as a whole and written in large blocks: the control's own
// stream-out is the only part that grows with the text. (Reading its text with EM_GETTEXTRANGE
// instead takes Wine's control three times as long as streaming it out.)
DWORD CALLBACK SaveCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* taken) {
  auto& job = *reinterpret_cast<SaveJob*>(cookie);
  *taken = size;
  const size_t length = static_cast<size_t>(size);
  if (job.rich) {
    job.out.append(reinterpret_cast<const char*>(buffer), length);
  } else {
    TakeUnits(job, buffer, length);
    Encode(job.encoder, job.units.data(), job.units.size(), job.out);
  }
  if (job.out.size() >= kWriteBlock && !Flush(job)) {
    job.failed = true;
    return kFailed;
  }
  return 0;
}

WPARAM StreamFormat(const EditorDocument& doc) {
  return doc.encoding.format == EditorFormat::Rtf ? SF_RTF : SF_TEXT | SF_UNICODE;
}

}  // namespace

int StreamIn(EditorDocument& doc, HANDLE file) {
  LARGE_INTEGER start{};
  ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
  LoadJob job;
  doc.lineEnds = LineEnds{};
  job.doc = &doc;
  job.file = file;
  job.rich = doc.encoding.format == EditorFormat::Rtf;
  job.decoder = StartDecoder(doc.encoding, &SystemAnsiCodec());
  job.progress.size = doc.sizeAtLoad;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&job), 0, LoadCallback};
  // One layout and paint at the end rather than as the text arrives.
  ::SendMessageW(doc.control, WM_SETREDRAW, FALSE, 0);
  doc.streaming = true;
  ::GetAsyncKeyState(VK_ESCAPE);  // forgets an Escape pressed before the load
  ::SendMessageW(doc.control, EM_STREAMIN, StreamFormat(doc), reinterpret_cast<LPARAM>(&stream));
  // Wine's control stops the program when a message box takes the focus while text is half
  // in, so the question waits until the stream has ended; No takes the load up at the end.
  while (stream.dwError == kEscapeHeld) {
    ::SendMessageW(doc.control, WM_SETREDRAW, TRUE, 0);
    if (CancelConfirmed(doc.control)) {
      stream.dwError = kCancelled;
      break;
    }
    ::SendMessageW(doc.control, WM_SETREDRAW, FALSE, 0);
    stream.dwError = 0;
    ::SendMessageW(doc.control, EM_SETSEL, -1, -1);
    ::SendMessageW(doc.control, EM_STREAMIN, StreamFormat(doc) | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
  }
  doc.streaming = false;
  if (!job.rich) {
    FinishLineEnds(doc.lineEnds);
    ForgetWhenAlike(doc.lineEnds);
    if (!doc.lineEnds.ends.empty()) doc.encoding.lineEnd = doc.lineEnds.ends.front();
  }
  ::SendMessageW(doc.control, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(doc.control, nullptr, TRUE);
  // A cancelled load keeps what came in: the editor closes at once, and emptying a large text
  // first takes Wine's control longer than the load did.
  if (stream.dwError != 0 && stream.dwError != kCancelled)
    platform::ShowMessage({nullptr, u"Error loading file " + doc.fileName, u"Error", platform::MessageIcon::Error,
                           platform::MessageButtons::Ok});
  ::SendMessageW(doc.control, EM_EMPTYUNDOBUFFER, 0, 0);
  ::SendMessageW(doc.control, EM_SETMODIFY, FALSE, 0);
  doc.loaded = true;
  return stream.dwError == 0 ? 0 : -1;
}

bool StreamOut(EditorDocument& doc, HANDLE file, TextView shownName) {
  SaveJob job;
  job.doc = &doc;
  job.file = file;
  job.shownName = Text(shownName);
  job.rich = doc.encoding.format == EditorFormat::Rtf;
  job.encoder = StartEncoder(doc.encoding, &SystemAnsiCodec());
  job.progress.size = doc.sizeAtLoad;
  doc.streaming = true;
  if (!job.rich && doc.lineEnds.mixed) {
    // A first pass over the text finds the lines the user left alone.
    EDITSTREAM prints{reinterpret_cast<DWORD_PTR>(&job), 0, PrintCallback};
    ::SendMessageW(doc.control, EM_STREAMOUT, StreamFormat(doc), reinterpret_cast<LPARAM>(&prints));
    FinishLineEnds(job.current);
    job.hasOddByte = false;
    job.plan = PlanLineEnds(doc.lineEnds, job.current.prints, doc.encoding.lineEnd);
    job.encoder.lineEnds = &job.plan;
  }
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&job), 0, SaveCallback};
  ::SendMessageW(doc.control, EM_STREAMOUT, StreamFormat(doc), reinterpret_cast<LPARAM>(&stream));
  doc.streaming = false;
  if (stream.dwError != 0 || job.failed) return false;
  if (!job.rich) FinishEncode(job.encoder, job.out);
  return Flush(job);
}

}  // namespace nrv
