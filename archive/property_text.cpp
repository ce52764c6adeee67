#include "archive/property_text.h"

#include <chrono>
#include <string>

namespace nrv {
namespace {

void AppendTwoDigits(Text& text, unsigned value) {
  text += static_cast<char16_t>(u'0' + value / 10 % 10);
  text += static_cast<char16_t>(u'0' + value % 10);
}

}  // namespace

Text UnsignedText(uint64_t value) { return Ascii(std::to_string(value)); }
Text SignedText(int64_t value) { return Ascii(std::to_string(value)); }

Text FileTimeText(uint64_t fileTime) {
  using namespace std::chrono;
  // FILETIME counts 100 ns from 1601-01-01; the civil calendar below works on days from 1970.
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
  const int64_t seconds = static_cast<int64_t>(fileTime / 10000000) - kSecondsFrom1601To1970;
  const sys_days day = floor<days>(sys_seconds(std::chrono::seconds(seconds)));
  const year_month_day date(day);
  const int64_t inDay = seconds - duration_cast<std::chrono::seconds>(day.time_since_epoch()).count();
  Text text = Ascii(std::to_string(static_cast<int>(date.year())));
  while (text.size() < 4) text.insert(text.begin(), u'0');
  text += u'-';
  AppendTwoDigits(text, static_cast<unsigned>(date.month()));
  text += u'-';
  AppendTwoDigits(text, static_cast<unsigned>(date.day()));
  text += u' ';
  AppendTwoDigits(text, static_cast<unsigned>(inDay / 3600));
  text += u':';
  AppendTwoDigits(text, static_cast<unsigned>(inDay / 60 % 60));
  text += u':';
  AppendTwoDigits(text, static_cast<unsigned>(inDay % 60));
  return text;
}

}  // namespace nrv
