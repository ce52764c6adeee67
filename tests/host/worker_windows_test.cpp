// Code that runs on a worker thread never shows a window of its own: a message box there runs
// a second message loop beside the main one, can come up behind the frame while the panels still
// take keys, and a dialog on it outlives nothing it refers to safely. Workers post to the
// window's thread, or ask through the progress window (AskFromWorker, RunOnWindowThread), which
// shows the question on the window's thread.
//
// Which code runs on a worker is known only by reading it, so the list below is explicit and
// small: the body of each worker, and the functions it calls that could report, by name; a whole
// file where everything in it runs on a worker. A new worker adds its lines here. The shell's
// own copy (SHFileOperation) shows the shell's windows: those are the system's, not ours.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct WorkerCode {
  const char* file;
  // The line that starts the code: a definition at the start of a line, or the call that starts
  // a thread. The code ends at the next line indented no deeper. Empty: the whole file.
  const char* start;
};

const WorkerCode kWorkerCode[] = {
    // find files: the search thread, its walk, content search, queue and the archives it reads
    {"find/results_dialog_win32.cpp", "void SearchThread("},
    {"find/find_walk.cpp", ""},
    {"find/content_search.cpp", ""},
    {"find/search_results.cpp", ""},
    {"find/archive_names_win32.cpp", "int QueueArchiveMatches("},
    {"find/archive_names_win32.cpp", "bool NamedAsArchive("},
    {"archive/archive_format.cpp", "ArchiveTest TestArchiveFile("},
    {"archive/archive_open_win32.cpp", "int ReadArchiveItemsQuietly("},
    {"archive/archive_open_win32.cpp", "int OpenInArchiveQuietly("},
    // entering an archive on a panel's reading worker
    {"archive/archive_read_win32.cpp", "void RunArchiveRead("},
    {"archive/archive_read_win32.cpp", "bool AskPasswordFromWorker("},
    {"archive/archive_open_win32.cpp", "int OpenArchiveQuietly("},
    {"archive/archive_open_win32.cpp", "int ReadItems("},
    {"archive/archive_open_win32.cpp", "int Decompress("},
    {"archive/archive_bridge_win32.cpp", "HRESULT CreateArchiveObjectQuietly("},
    {"archive/archive_bridge_win32.cpp", "HRESULT CreateObjectOfClass("},
    // extraction and packing behind the progress window
    {"archive/extract_command_win32.cpp", "void RunExtract("},
    {"archive/add_command_win32.cpp", "void RunAdd("},
    {"archive/add_command_win32.cpp", "bool PutInPlace("},
    {"archive/extract_callback_win32.cpp", ""},
    {"archive/update_callback_win32.cpp", ""},
    // FTP transfers behind the progress window
    {"ftp/ftp_transfer_win32.cpp", "int RunJobs("},
    {"ftp/ftp_transfer_win32.cpp", "JobEnd Download("},
    {"ftp/ftp_transfer_win32.cpp", "JobEnd Upload("},
    {"ftp/ftp_transfer_win32.cpp", "JobEnd Delete("},
    {"ftp/ftp_transfer_win32.cpp", "void WatchCancel("},
    // an FTP folder's read and its machine-readable listing
    {"ftp/remote_read_win32.cpp", ""},
    {"ftp/machine_listing_win32.cpp", ""},
    // the progress window's thread, copies, moves and deletes, and the folder watchers
    {"fileops/progress_dialog_win32.cpp", "StartWorker(dialog.worker"},
    {"fileops/file_operation_win32.cpp", "StartInSet(workers"},
    {"fileops/file_operation_win32.cpp", "int RunFileOperationJob("},
    {"panel/watcher_win32.cpp", "StartWorker("},
    // the slow drives' sizes and labels
    {"panel/drive_details.cpp", "void StartQuery("},
};

// Calls that put a window on the screen from the calling thread, as whole words ("Message(" is
// the local helper some dialogs wrap ShowMessage in).
const char* const kWindowCalls[] = {"MessageBox",     "DialogBox",       "CreateDialog", "ShowMessage(",
                                    "Message(",       "ReportError(",    "ShowArchiveError(",
                                    "ReportExecuteResult(", "ShowLogViewer(", "PasswordDialog(",
                                    "AskOpenAsUdf",   "TaskDialog"};

bool CallsAt(const std::string& text, const std::string& call) {
  for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
    const char before = at == 0 ? ' ' : text[at - 1];
    if (!std::isalnum(static_cast<unsigned char>(before)) && before != '_') return true;
  }
  return false;
}

size_t Indent(const std::string& line) { return line.find_first_not_of(' '); }

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// The lines of the code that begins at start; none when start is not found.
std::vector<std::string> CodeFrom(const std::vector<std::string>& lines, const std::string& start) {
  if (start.empty()) return lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(start) == std::string::npos) continue;
    const size_t indent = Indent(lines[i]);
    std::vector<std::string> code{lines[i]};
    for (size_t j = i + 1; j < lines.size(); ++j) {
      code.push_back(lines[j]);
      const size_t at = Indent(lines[j]);
      if (at != std::string::npos && at <= indent) break;
    }
    return code;
  }
  return {};
}

TEST(WorkerThreads, ShowNoWindowOfTheirOwn) {
  for (const WorkerCode& worker : kWorkerCode) {
    const std::string path = std::string(NORVANE_SOURCE_DIR) + "/" + worker.file;
    const std::vector<std::string> code = CodeFrom(Lines(path), worker.start);
    ASSERT_GT(code.size(), 1u) << "\"" << worker.start << "\" is not in " << worker.file
                               << ": the worker moved; update the list in this test";
    for (const std::string& line : code) {
      const std::string text = line.substr(0, line.find("//"));
      for (const char* call : kWindowCalls)
        EXPECT_FALSE(CallsAt(text, call)) << worker.file << ": " << line;
    }
  }
}

// The list finds what it looks for: the command that starts a search does show a message.
TEST(WorkerThreads, TheCheckSeesAMessageWhereThereIsOne) {
  const auto code = CodeFrom(Lines(std::string(NORVANE_SOURCE_DIR) + "/find/find_command_win32.cpp"),
                             "void FindFilesCommand(");
  std::ostringstream all;
  for (const std::string& line : code) all << line << '\n';
  EXPECT_TRUE(CallsAt(all.str(), "ShowMessage("));
  EXPECT_FALSE(CallsAt("::PostMessageW(dialog, kDoneMessage, 0, 0);", "Message("));
}

}  // namespace
