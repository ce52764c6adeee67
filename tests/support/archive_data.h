#pragma once
// The Windows tests' archives: made by tests/data/make_archives.sh beside the test program,
// with 7z.dll, before the tests run.
#include <windows.h>

#include <filesystem>

namespace nrv::test {

inline std::filesystem::path ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

inline std::filesystem::path ArchiveData() { return ProgramFolder() / "archive-data"; }

}  // namespace nrv::test
