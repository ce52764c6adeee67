#include "config/settings_store.h"

#include <cstring>
#include <iterator>
#include <string>

#include "core/settings_colours.h"
#include "platform/errors.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/registry_text.h"

namespace nrv {
namespace {

using platform::RegistryKey;

// ---------------------------------------------------------------------------------------------
// The value tables: each value's registry name next to its field, written once.

struct NumberValue {  // DWORD
  const char16_t* name;
  int32_t Settings::*field;
};
struct FlagValue {  // FLAG
  const char16_t* name;
  uint8_t Settings::*field;
};
struct GroupMember {  // DWORD member of a font group, named prefix + member
  const char16_t* name;
  int32_t FontGroup::*field;
};
struct Group {
  const char16_t* prefix;
  FontGroup Settings::*field;
};
struct TextValue {  // TEXT
  const char16_t* name;
  Text& (*field)(Settings&);
};

#define NRV_NUMBER(member) NumberValue{u"" #member, &Settings::member}
#define NRV_FLAG(member) FlagValue{u"" #member, &Settings::member}
#define NRV_MEMBER(member) GroupMember{u"" #member, &FontGroup::member}
#define NRV_GROUP(member) Group{u"" #member, &Settings::member}
#define NRV_TEXT(member) TextValue{u"" #member, [](Settings& s) -> Text& { return s.member; }}
#define NRV_FACE(group) \
  TextValue{u"" #group "lfFaceName", [](Settings& s) -> Text& { return s.group.lfFaceName; }}

const NumberValue kColorScheme = NRV_NUMBER(ColorScheme);

// After the colours, in load and save order alike.
const NumberValue kNumbers[] = {
    NRV_NUMBER(FontPanelSizeLeft),    NRV_NUMBER(FontPanelFaceLeft),
    NRV_NUMBER(FontPanelSizeRight),   NRV_NUMBER(FontPanelFaceRight),
    NRV_NUMBER(FontViewerSize),       NRV_NUMBER(FontViewerFace),
    NRV_NUMBER(FontStatusbarSize),    NRV_NUMBER(FontStatusbarFace),
    NRV_NUMBER(SortPanelLeft),        NRV_NUMBER(SortPanelRight),
    NRV_NUMBER(ModePanelLeft),        NRV_NUMBER(ModePanelRight),
    NRV_NUMBER(ModePanelLeftColumns), NRV_NUMBER(ModePanelRightColumns),
    NRV_NUMBER(PanelContextMenuTimer),
    NRV_NUMBER(WindowsOffset),
    NRV_NUMBER(HistoryCount),
    NRV_NUMBER(WindowLeft),           NRV_NUMBER(WindowTop),
    NRV_NUMBER(WindowRight),          NRV_NUMBER(WindowBottom),
};

// The sixteen panel switches in table order, then the six others; load and save alike.
const FlagValue kFlags[] = {
    NRV_FLAG(PanelShowToolbar),       NRV_FLAG(PanelShowMenu),
    NRV_FLAG(PanelAutoUpdatePanels),  NRV_FLAG(PanelAutoUpdateNetwork),
    NRV_FLAG(PanelShowFreeSize),      NRV_FLAG(PanelShowFreeSizeNetwork),
    NRV_FLAG(PanelShowFileOwners),    NRV_FLAG(PanelScrollColumns),
    NRV_FLAG(PanelSelectFolders),     NRV_FLAG(PanelDeleteRecycle),
    NRV_FLAG(PanelAllowDragdrop),     NRV_FLAG(PanelAllowSysmenu),
    NRV_FLAG(PanelShowTooltips),      NRV_FLAG(PanelShowPanelStatusbar),
    NRV_FLAG(PanelShowIcons),         NRV_FLAG(PanelLargeIcons),
    NRV_FLAG(ArrageHorizontal),       NRV_FLAG(ViewerSavePosition),
    NRV_FLAG(UseExternalViewer),      NRV_FLAG(UseExternalEditor),
    NRV_FLAG(EditorSavePosition),     NRV_FLAG(EditorWordWrap),
};

// The 13 DWORD members of a group in load order (PitchAndFamily before OutPrecision); the
// save uses the same order.
const GroupMember kGroupMembers[] = {
    NRV_MEMBER(lfCharSet),        NRV_MEMBER(lfClipPrecision), NRV_MEMBER(lfEscapement),
    NRV_MEMBER(lfHeight),         NRV_MEMBER(lfItalic),        NRV_MEMBER(lfOrientation),
    NRV_MEMBER(lfPitchAndFamily), NRV_MEMBER(lfOutPrecision),  NRV_MEMBER(lfQuality),
    NRV_MEMBER(lfStrikeOut),      NRV_MEMBER(lfUnderline),     NRV_MEMBER(lfWeight),
    NRV_MEMBER(lfWidth),
};
static_assert(std::size(kGroupMembers) == 13);

const Group kGroups[] = {NRV_GROUP(l_), NRV_GROUP(lt_), NRV_GROUP(r_), NRV_GROUP(rt_)};

const TextValue kTexts[] = {
    NRV_TEXT(PanelPathLeft),  NRV_TEXT(PanelPathRight), NRV_TEXT(ExternalViewer),
    NRV_TEXT(ExternalEditor), NRV_FACE(l_),             NRV_FACE(lt_),
    NRV_FACE(r_),             NRV_FACE(rt_),
};
enum TextIndex { kPathLeft, kPathRight, kViewer, kEditor, kFaceL, kFaceLt, kFaceR, kFaceRt };

#undef NRV_NUMBER
#undef NRV_FLAG
#undef NRV_MEMBER
#undef NRV_GROUP
#undef NRV_TEXT
#undef NRV_FACE

// ---------------------------------------------------------------------------------------------
// The two orders. Both start with ColorScheme, which each side handles first.

enum class Section { Colours, Numbers, GroupDwords, Flags, Texts };

struct Order {
  Section sections[5];
  TextIndex texts[8];
};

const Order kLoadOrder = {
    {Section::Colours, Section::Numbers, Section::GroupDwords, Section::Flags, Section::Texts},
    {kPathLeft, kPathRight, kViewer, kEditor, kFaceL, kFaceLt, kFaceR, kFaceRt},
};
const Order kSaveOrder = {
    {Section::Colours, Section::Numbers, Section::Flags, Section::GroupDwords, Section::Texts},
    {kPathLeft, kPathRight, kFaceL, kFaceLt, kFaceR, kFaceRt, kViewer, kEditor},
};

// Calls io.Dword, io.Flag and io.Text for every value after ColorScheme in the given order;
// the first nonzero result stops the walk and is returned.
template <typename Io>
uint32_t Walk(const Order& order, Settings& s, Io& io) {
  for (const Section section : order.sections) {
    switch (section) {
      case Section::Colours:
        for (const auto& colour : settings_colours::kColourValues)
          if (uint32_t error = io.Dword(colour.name, s.*colour.field)) return error;
        break;
      case Section::Numbers:
        for (const auto& number : kNumbers)
          if (uint32_t error = io.Dword(number.name, s.*number.field)) return error;
        break;
      case Section::GroupDwords:
        for (const auto& group : kGroups)
          for (const auto& member : kGroupMembers) {
            const Text name = Text(group.prefix) + member.name;
            if (uint32_t error = io.Dword(name, (s.*group.field).*member.field)) return error;
          }
        break;
      case Section::Flags:
        for (const auto& flag : kFlags)
          if (uint32_t error = io.Flag(flag.name, s.*flag.field)) return error;
        break;
      case Section::Texts:
        for (const TextIndex index : order.texts)
          if (uint32_t error = io.Text(kTexts[index].name, kTexts[index].field(s))) return error;
        break;
    }
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Reading and writing one value.

constexpr uint32_t kMaxTextCharacters = 259;

// A DWORD or FLAG: exactly `expectedSize` bytes of `expectedType`, or kErrorInvalidData. The
// query never gets a buffer larger than the field, so a longer value can't overrun it.
uint32_t ReadFixed(const RegistryKey& key, TextView name, uint32_t expectedType,
                   uint32_t expectedSize, void* field) {
  unsigned char buffer[4] = {};
  uint32_t type = 0;
  uint32_t size = expectedSize;
  const uint32_t result = platform::QueryValue(key, name, &type, buffer, &size);
  if (result == platform::kErrorMoreData) return platform::kErrorInvalidData;
  if (result != platform::kErrorSuccess) return result;
  if (type != expectedType || size != expectedSize) return platform::kErrorInvalidData;
  std::memcpy(field, buffer, expectedSize);
  return platform::kErrorSuccess;
}

struct Reader {
  const RegistryKey& key;

  template <typename T>
  uint32_t Dword(TextView name, T& field) {
    static_assert(sizeof(T) == 4);
    return ReadFixed(key, name, platform::kRegDword, 4, &field);
  }

  uint32_t Flag(TextView name, uint8_t& field) {
    return ReadFixed(key, name, platform::kRegBinary, 1, &field);
  }

  // Two steps: the size alone (must succeed), then the text when it is 1 to 259 characters.
  uint32_t Text(TextView name, nrv::Text& field) {
    field.clear();
    uint32_t type = 0;
    uint32_t size = 0;
    uint32_t result = platform::QueryValue(key, name, &type, nullptr, &size);
    if (result != platform::kErrorSuccess) return result;
    if (type != platform::kRegSz || size % 2 != 0) return platform::kErrorInvalidData;
    const uint32_t characters = size / 2;
    if (characters < 1 || characters > kMaxTextCharacters) return platform::kErrorSuccess;

    nrv::Text text(characters, u'\0');
    uint32_t readSize = size;
    result = platform::QueryValue(key, name, &type, text.data(), &readSize);
    if (result == platform::kErrorMoreData) return platform::kErrorInvalidData;
    if (result != platform::kErrorSuccess) return result;
    if (type != platform::kRegSz || readSize != size) return platform::kErrorInvalidData;
    // A value written with its terminator (by another program) ends at the first zero.
    const size_t end = text.find(u'\0');
    if (end != nrv::Text::npos) text.resize(end);
    field = std::move(text);
    return platform::kErrorSuccess;
  }
};

struct Writer {
  const RegistryKey& key;

  template <typename T>
  uint32_t Dword(TextView name, T& field) {
    static_assert(sizeof(T) == 4);
    return platform::SetValue(key, name, platform::kRegDword, &field, 4);
  }

  uint32_t Flag(TextView name, uint8_t& field) {
    return platform::SetValue(key, name, platform::kRegBinary, &field, 1);
  }

  uint32_t Text(TextView name, const nrv::Text& field) {
    return platform::SetTextValue(key, name, field);
  }
};

// ---------------------------------------------------------------------------------------------

void ShowRegistryError(const Text& text) {
  platform::MessageRequest request;
  request.owner = nullptr;
  request.text = text;
  request.caption = u"Error";
  request.icon = platform::MessageIcon::Error;
  request.buttons = platform::MessageButtons::Ok;
  platform::ShowMessage(request);
}

Text Code(uint32_t error) { return Ascii(std::to_string(static_cast<int32_t>(error))); }

}  // namespace

int LoadSettings(Settings& s) {
  for (const auto& text : kTexts) text.field(s).clear();

  RegistryKey key;
  if (platform::CreateUserKey(kSettingsKeyPath, platform::RegistryAccess::Read, key) !=
      platform::kErrorSuccess) {
    ApplyDefaults(s);
    return -1;
  }

  Reader reader{key};
  if (reader.Dword(kColorScheme.name, s.*kColorScheme.field) != platform::kErrorSuccess) {
    ApplyDefaults(s);  // first run, or a key left by an older version: no message
    return -1;
  }

  if (const uint32_t error = Walk(kLoadOrder, s, reader)) {
    ShowRegistryError(u"Error load configuration from system registry: HKEY_CURRENT_USER\\" +
                      Text(kSettingsKeyPath) + u" Error " + Code(error) + u".");
    ApplyDefaults(s);
    return -1;
  }
  return 0;
}

void TakeLiveState(Settings& s, const LiveState& live) {
  s.FontViewerSize = live.FontViewerSize;
  s.FontViewerFace = live.FontViewerFace;
  s.FontStatusbarSize = live.FontStatusbarSize;
  s.FontStatusbarFace = live.FontStatusbarFace;
  s.ModePanelLeft = live.ModePanelLeft;
  s.ModePanelRight = live.ModePanelRight;
  s.ModePanelLeftColumns = live.ModePanelLeftColumns;
  s.ModePanelRightColumns = live.ModePanelRightColumns;
  s.SortPanelLeft = live.SortPanelLeft;
  s.SortPanelRight = live.SortPanelRight;
  s.WindowsOffset = live.WindowsOffset;
  s.PanelPathLeft = live.PanelPathLeft;
  s.PanelPathRight = live.PanelPathRight;
  // FontGroup is the platform's description with the same members: a copy is member by member.
  s.l_ = live.leftFont;
  s.lt_ = live.leftTitleFont;
  s.r_ = live.rightFont;
  s.rt_ = live.rightTitleFont;
  s.WindowLeft = live.WindowLeft;
  s.WindowTop = live.WindowTop;
  s.WindowRight = live.WindowRight;
  s.WindowBottom = live.WindowBottom;
}

int SaveSettings(Settings& s) {
  RegistryKey key;
  if (const uint32_t error =
          platform::CreateUserKey(kSettingsKeyPath, platform::RegistryAccess::Write, key)) {
    ShowRegistryError(u"Error opening system registry. Error " + Code(error) + u".");
    return -1;
  }

  Writer writer{key};
  uint32_t error = writer.Dword(kColorScheme.name, s.*kColorScheme.field);
  if (error == platform::kErrorSuccess) error = Walk(kSaveOrder, s, writer);
  if (error != platform::kErrorSuccess)
    ShowRegistryError(u"Error save configuration to system registry. Error " + Code(error) +
                      u".");
  return 0;
}

int SaveSettings(Settings& s, const LiveState& live) {
  TakeLiveState(s, live);
  return SaveSettings(s);
}

}  // namespace nrv
