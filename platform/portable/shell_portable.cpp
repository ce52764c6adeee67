// The shell without a window system: executions are recorded for tests, folders are made with
// the standard library, links read with readlink.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"
#include "platform/shell.h"

namespace nrv::platform {
namespace {

std::mutex gMutex;
std::vector<portable::ShellCall> gCalls;
intptr_t gResult = 42;
uint32_t gExecutableType = 0;

std::string Native(TextView path) {
  std::string out = ToUtf8(path);
  for (auto& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace

intptr_t ExecuteWithShell(TextView verb, TextView file, TextView parameters, TextView directory) {
  std::lock_guard lock(gMutex);
  gCalls.push_back({Text(verb), Text(file), Text(parameters), Text(directory)});
  return gResult;
}

uint32_t ExecutableType(TextView) {
  std::lock_guard lock(gMutex);
  return gExecutableType;
}

Text SystemFolder() { return u"C:\\windows\\system32"; }

uint32_t CreateFolderChain(TextView path) {
  std::error_code error;
  std::filesystem::create_directories(Native(path), error);
  if (!error) return kErrorSuccess;
  return error == std::errc::permission_denied ? kErrorAccessDenied : kErrorPathNotFound;
}

bool ShowProperties(NativeWindow, TextView name) {
  std::lock_guard lock(gMutex);
  gCalls.push_back({u"properties", Text(name), {}, {}});
  return gResult > 32;
}

Text FullPathName(TextView path) {
  const std::string native = Native(path);
  if (!native.empty() && native[0] == '/') return Text(path);
  return CurrentFolder() + u"/" + Text(path);
}

bool IsExistingFolder(TextView path) {
  struct stat info {};
  return stat(Native(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadReparseTarget(TextView path, uint32_t& tag, Text& target) {
  char buffer[4096];
  const ssize_t length = readlink(Native(path).c_str(), buffer, sizeof(buffer) - 1);
  if (length < 0) {
    SetLastError(kErrorAccessDenied);
    return false;
  }
  tag = 0xA0000003;  // read a symbolic link as a mount point, with its object-namespace prefix
  target = u"\\??\\" + FromUtf8(std::string_view(buffer, static_cast<size_t>(length)));
  return true;
}

namespace portable {
std::vector<ShellCall> TakeShellCalls() {
  std::lock_guard lock(gMutex);
  return std::exchange(gCalls, {});
}
void SetShellExecuteResult(intptr_t result) {
  std::lock_guard lock(gMutex);
  gResult = result;
}
void SetExecutableType(uint32_t type) {
  std::lock_guard lock(gMutex);
  gExecutableType = type;
}
}  // namespace portable

}  // namespace nrv::platform
