#include "archive/error_log.h"

#include <string>

namespace nrv {

void AddLogEntry(ErrorLog& log, TextView text, int32_t code) {
  log.entries.push_back({Text(text.substr(0, kMaxLogText)), code});
}

Text LogViewerText(const ErrorLog& log) {
  Text text;
  int number = 0;
  for (const ErrorLogEntry& entry : log.entries) {
    text += Ascii(std::to_string(++number)) + u". " + entry.text + u" \tError: " + Ascii(std::to_string(entry.code)) +
            u"\r\n";
  }
  return text;
}

Text ErrorsQuestionText(size_t count, TextView operation) {
  return Ascii(std::to_string(count)) + u" errors detected during " + Text(operation) + u". Show log?";
}

int ArchivePercent(uint64_t completed, uint64_t total) {
  if (total == 0) total = 1;
  if (completed >= total) return 100;  // the library's estimate of the total can be passed
  // The product leaves 64 bits only for totals past 2^57: the quotient of the divided total serves.
  if (completed > UINT64_MAX / 100) return static_cast<int>(completed / (total / 100));
  return static_cast<int>(completed * 100 / total);
}

Text ArchiveProgressCaption(TextView operation, uint64_t completed, uint64_t total) {
  return Text(operation) + u" (" + Ascii(std::to_string(ArchivePercent(completed, total))) + u"%)";
}

}  // namespace nrv
