#pragma once
// The per-item errors of one archive operation and the texts that show them.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxLogText = 1023;

struct ErrorLogEntry {
  Text text;     // at most kMaxLogText characters
  int32_t code;  // a system error code, an HRESULT, or 0
};

struct ErrorLog {
  std::vector<ErrorLogEntry> entries;
};

void AddLogEntry(ErrorLog& log, TextView text, int32_t code);
// "%d. %s \tError: %d\r\n" for each entry, numbered from 1.
Text LogViewerText(const ErrorLog& log);
// "%d errors detected during %s. Show log?"
Text ErrorsQuestionText(size_t count, TextView operation);
// "%s (%d%%)": the operation and completed × 100 / total, a total of 0 counting as 1.
Text ArchiveProgressCaption(TextView operation, uint64_t completed, uint64_t total);
int ArchivePercent(uint64_t completed, uint64_t total);

}  // namespace nrv
