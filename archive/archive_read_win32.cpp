#include "archive/archive_read_win32.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

#include "core/listing.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "panel/panel_reader.h"
#include "platform/private_folder.h"

namespace nrv {
namespace {

// A question a worker waits on; the window's thread answers it unless the worker gave up.
struct PostedPassword {
  PasswordQuestion ask = nullptr;
  std::mutex lock;
  std::condition_variable answered;
  bool done = false;
  bool abandoned = false;
  bool entered = false;
  Text password;
};

// What a finished read holds until its panel takes it over: a read dropped after its end
// still removes its inner file, whoever lets go of it last.
struct HeldArchive {
  ArchiveItemList items;
  Text workPath;
  HeldArchive() = default;
  HeldArchive(const HeldArchive&) = delete;
  HeldArchive& operator=(const HeldArchive&) = delete;
  ~HeldArchive() {
    if (!workPath.empty()) platform::RemovePrivateCopy(workPath);
  }
};

}  // namespace

bool AskPasswordFromWorker(NativeWindow window, PasswordQuestion ask, const StopFlag& stop, Text& password) {
  if (!ask || !window) return false;
  auto question = std::make_shared<PostedPassword>();
  question->ask = ask;
  auto* posted = new std::shared_ptr<PostedPassword>(question);
  if (!::PostMessageW(static_cast<HWND>(window), kArchivePasswordMessage, 0, reinterpret_cast<LPARAM>(posted))) {
    delete posted;
    return false;
  }
  std::unique_lock<std::mutex> hold(question->lock);
  // The stop flag has no event on a read's worker: it is looked at every few milliseconds.
  while (!question->answered.wait_for(hold, std::chrono::milliseconds(20), [&] { return question->done; })) {
    if (stop.requested.load()) {
      question->abandoned = true;
      return false;
    }
  }
  password = std::move(question->password);
  return question->entered;
}

void OnArchivePasswordQuestion(LPARAM lParam) {
  const std::unique_ptr<std::shared_ptr<PostedPassword>> posted(reinterpret_cast<std::shared_ptr<PostedPassword>*>(lParam));
  PostedPassword& question = **posted;
  {
    std::lock_guard<std::mutex> hold(question.lock);
    if (question.abandoned) return;
  }
  Text password;
  const bool entered = question.ask(password);
  {
    std::lock_guard<std::mutex> hold(question.lock);
    question.entered = entered;
    question.password = std::move(password);
    question.done = true;
  }
  question.answered.notify_all();
}

void RunArchiveRead(const ArchiveReadJob& job, ReadExchange& exchange, const StopFlag& stop) {
  ArchiveReadControl control{&stop, &exchange.count, job.checkpoint};
  const PasswordAsk ask = [&job, &stop](Text& password) {
    return AskPasswordFromWorker(job.window, job.askPassword, stop, password);
  };
  ArchiveOpenResult result;
  const int code = OpenArchiveQuietly(job.path, job.format, job.tempFolder, ask, control, result);
  auto held = std::make_shared<HeldArchive>();
  held->workPath = std::move(result.workPath);
  held->items = std::move(result.items);
  ItemList visible;
  Text folder = job.folder;
  if (code == kArchiveOpened) {
    // Sorted here as the panel would: only the mode is read, never the panel itself.
    Panel scratch;
    scratch.sortMode = job.sortMode;
    scratch.archiveOpen = 1;
    BuildVisibleList(held->items, job.folder, scratch, visible);
    // Only ".." there: the folder is not in the archive (any more), and the root is shown.
    if (!job.folder.empty() && Count(visible) <= 1) {
      folder.clear();
      BuildVisibleList(held->items, u"", scratch, visible);
    }
  }
  const Text name = job.name;
  std::lock_guard<std::mutex> hold(exchange.lock);
  exchange.status = code == kArchiveOpened ? 0 : -2;
  exchange.errorText = std::move(result.errorText);
  exchange.items = std::move(visible);
  exchange.adopt = [held, name, folder](Panel& panel, bool swapped) {
    ArchiveItemList* list = ArchiveItemsOf(panel);
    if (!swapped || !list) return;
    *list = std::move(held->items);
    panel.archiveFolder = folder;
    panel.archiveWorkPath = std::exchange(held->workPath, Text());
    panel.findName = name;
  };
}

void EnterArchiveOnWorker(Panel& panel, const Text& name, int32_t format, PasswordQuestion askPassword,
                          const ArchiveEntry& at) {
  ArchiveReadJob job;
  job.path = JoinPath(panel.path, name);
  job.name = name;
  job.format = format;
  job.tempFolder = ArchiveTempFolder();
  job.sortMode = panel.sortMode;
  job.askPassword = askPassword;
  job.window = panel.context->updateTarget;
  job.folder = at.folder;
  const PanelLocation before = SaveLocation(panel);
  panel.returnTop = panel.top;  // the folder's page, for leaving
  panel.archiveOpen = 1;
  panel.archiveFormat = format == kFormatTarGz || format == kFormatBZip2 ? kFormatTar : format;
  panel.archiveFolder = at.folder;
  LocationRead read;
  read.run = [job](ReadExchange& exchange, const StopFlag& stop) { RunArchiveRead(job, exchange, stop); };
  ReadOtherLocation(panel, before, at.cursorName, std::move(read));
}

}  // namespace nrv
