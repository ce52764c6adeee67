#pragma once
// Names a stranger might hand us, each with the fault the one name rule must find. The FTP
// listing, extraction and drop-list tests all walk this table, so one list of hostile names
// guards every door a name comes in by.
#include <vector>

#include "core/file_names.h"
#include "platform/text.h"

namespace nrv::test {

struct NameRuleCase {
  Text name;
  NameFault fault;
};

inline std::vector<NameRuleCase> HostileNameCases() {
  std::vector<NameRuleCase> cases = {
      {u"", NameFault::Empty},
      {u".", NameFault::DotName},
      {u"..", NameFault::DotName},
      {u"..\\..\\x.bat", NameFault::Separator},
      {u"../x.bat", NameFault::Separator},
      {u"sub\\deep.txt", NameFault::Separator},
      {u"\\root.txt", NameFault::Separator},
      {u"C:evil.txt", NameFault::ForbiddenCharacter},
      {u"file.txt:stream", NameFault::ForbiddenCharacter},
      {u"what?.txt", NameFault::ForbiddenCharacter},
      {u"star*.txt", NameFault::ForbiddenCharacter},
      {u"quote\".txt", NameFault::ForbiddenCharacter},
      {u"less<.txt", NameFault::ForbiddenCharacter},
      {u"more>.txt", NameFault::ForbiddenCharacter},
      {u"pipe|.txt", NameFault::ForbiddenCharacter},
      {Text(u"tab\t.txt"), NameFault::ControlCharacter},
      {Text(u"nl\n.txt"), NameFault::ControlCharacter},
      {Text(1, u'\x01') + u"x", NameFault::ControlCharacter},
      {Text(u"nul") + Text(1, u'\0') + u"x", NameFault::ControlCharacter},
      {u"dot.", NameFault::TrailingDotOrBlank},
      {u"blank ", NameFault::TrailingDotOrBlank},
      {u"a...", NameFault::TrailingDotOrBlank},
      {Text(256, u'a'), NameFault::TooLong},
  };
  for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"COM1", u"COM9", u"LPT1", u"LPT9", u"CONIN$",
                                 u"CONOUT$", u"COM\u00B9", u"LPT\u00B3"}) {
    const Text name(device);
    cases.push_back({name, NameFault::DeviceName});
    cases.push_back({name + u".txt", NameFault::DeviceName});
    cases.push_back({name + u".tar.gz", NameFault::DeviceName});
    Text lower = name;
    for (char16_t& c : lower)
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    cases.push_back({lower, NameFault::DeviceName});
    cases.push_back({lower + u" .log", NameFault::DeviceName});
  }
  return cases;
}

// Names that look close to a fault but are ordinary files and must arrive.
inline std::vector<Text> OrdinaryNames() {
  return {u"a.txt", u"...a", u".hidden", u"CONSOLE.txt", u"COM10", u"LPT0", u"com", u"x.nul", u"name with blanks.txt", u" leading blank", u"\u0444\u0430\u0439\u043b.txt", u"e\u0301.txt",
          Text(255, u'b')};
}

}  // namespace nrv::test
