#include "editor/go_to_line.h"

#include <string>

namespace nrv {

Text GoToLabel(int64_t lineCount) {
  return Ascii("Enter line number (1 - " + std::to_string(lineCount) + "):");
}

int64_t ParseLineNumber(TextView typed) {
  int64_t number = 0;
  for (char16_t c : typed) {
    if (c < u'0' || c > u'9') break;
    if (number > (INT64_MAX - 9) / 10) return 0;
    number = number * 10 + (c - u'0');
  }
  return number;
}

int64_t GoToTarget(int64_t number, int64_t lineCount) {
  return number >= 1 && number <= lineCount ? number - 1 : -1;
}

}  // namespace nrv
