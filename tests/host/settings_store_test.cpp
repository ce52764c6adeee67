// The settings store against the in-memory registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/portable/portable_controls.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "support/settings_records.h"

namespace nrv {
namespace {

using test::ExpectSame;
using test::ExpectSameFont;
using test::Font;
using test::NonDefault;
using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegSz;
using platform::RegistryAccess;
using platform::RegistryKey;

constexpr char16_t kKey[] = u"Software\\Norvane\\";
constexpr uint32_t kRegMultiSz = 7;

// ---- messages --------------------------------------------------------------------------------

std::vector<platform::MessageRequest> gMessages;

platform::MessageAnswer Capture(const platform::MessageRequest& request) {
  gMessages.push_back(request);
  return platform::MessageAnswer::Ok;
}

// ---- the expected value lists, written out independently of the store's tables -----------------

enum class Kind { Dword, Flag, Text };
struct Expected {
  std::string name;
  Kind kind;
};

const char* const kColourNames[] = {
    "ClrPanelBackground",          "ClrPanelText",
    "ClrPanelHighlightText",       "ClrPanelStatusbarBackground",
    "ClrPanelStatusbarText",       "ClrPanelSelectedBackground",
    "ClrPanelSelectedText",        "ClrPanelCursorBackground",
    "ClrPanelCursorText",          "ClrPanelFilesText",
    "ClrPanelFoldersText",         "ClrPanelJunctionFrame",
    "ClrPanelFolderFrame",         "ClrPanelLongNameFrame",
    "ClrPanelHiddenFilesText",     "ClrPanelArchiveFilesText",
    "ClrPanelExecutableFilesText", "ClrPanelToolbarBackground",
    "ClrPanelToolbarBackgroundSelected", "ClrPanelToolbarText",
    "ClrPanelMenuText",            "ClrPanelMenuBackground",
    "ClrPanelMenuBackgroundDefault", "ClrPanelMenuBackgroundChecked",
    "ClrPanelTitleBackground",     "ClrViewerBackground",
    "ClrViewerText",               "ClrViewerStatusbarBackground",
    "ClrViewerStatusbarText",      "ClrViewerSelectedBackground",
    "ClrViewerSelectedText",       "ClrEditorBackground",
    "ClrEditorText",               "ClrEditorStatusbarBackground",
    "ClrEditorStatusbarText",      "ClrEditorSelectedBackground",
    "ClrEditorSelectedText",
};
const char* const kNumberNames[] = {
    "FontPanelSizeLeft", "FontPanelFaceLeft", "FontPanelSizeRight", "FontPanelFaceRight",
    "FontViewerSize",    "FontViewerFace",    "FontStatusbarSize",  "FontStatusbarFace",
    "SortPanelLeft",     "SortPanelRight",    "ModePanelLeft",      "ModePanelRight",
    "ModePanelLeftColumns", "ModePanelRightColumns", "PanelContextMenuTimer",
    "WindowsOffset",     "HistoryCount",
    "WindowLeft",        "WindowTop",         "WindowRight",        "WindowBottom",
};
const char* const kFlagNames[] = {
    "PanelShowToolbar",   "PanelShowMenu",       "PanelAutoUpdatePanels",
    "PanelAutoUpdateNetwork", "PanelShowFreeSize", "PanelShowFreeSizeNetwork",
    "PanelShowFileOwners", "PanelScrollColumns", "PanelSelectFolders",
    "PanelDeleteRecycle", "PanelAllowDragdrop",  "PanelAllowSysmenu",
    "PanelShowTooltips",  "PanelShowPanelStatusbar", "PanelShowIcons",
    "PanelLargeIcons",
    "ArrageHorizontal",   "ViewerSavePosition",  "UseExternalViewer",
    "UseExternalEditor",  "EditorSavePosition",  "EditorWordWrap",
};
const char* const kGroupPrefixes[] = {"l_", "lt_", "r_", "rt_"};
const char* const kGroupMemberNames[] = {
    "lfCharSet", "lfClipPrecision", "lfEscapement", "lfHeight",    "lfItalic",
    "lfOrientation", "lfPitchAndFamily", "lfOutPrecision", "lfQuality", "lfStrikeOut",
    "lfUnderline", "lfWeight", "lfWidth",
};

void AddDwords(std::vector<Expected>& out, const auto& names) {
  for (const char* name : names) out.push_back({name, Kind::Dword});
}
void AddFlags(std::vector<Expected>& out) {
  for (const char* name : kFlagNames) out.push_back({name, Kind::Flag});
}
void AddGroups(std::vector<Expected>& out) {
  for (const char* prefix : kGroupPrefixes)
    for (const char* member : kGroupMemberNames)
      out.push_back({std::string(prefix) + member, Kind::Dword});
}
void AddTexts(std::vector<Expected>& out, std::initializer_list<const char*> names) {
  for (const char* name : names) out.push_back({name, Kind::Text});
}

std::vector<Expected> LoadOrder() {
  std::vector<Expected> out{{"ColorScheme", Kind::Dword}};
  AddDwords(out, kColourNames);
  AddDwords(out, kNumberNames);
  AddGroups(out);
  AddFlags(out);
  AddTexts(out, {"PanelPathLeft", "PanelPathRight", "ExternalViewer", "ExternalEditor",
                 "l_lfFaceName", "lt_lfFaceName", "r_lfFaceName", "rt_lfFaceName"});
  return out;
}

std::vector<Expected> SaveOrder() {
  std::vector<Expected> out{{"ColorScheme", Kind::Dword}};
  AddDwords(out, kColourNames);
  AddDwords(out, kNumberNames);
  AddFlags(out);
  AddGroups(out);
  AddTexts(out, {"PanelPathLeft", "PanelPathRight", "l_lfFaceName", "lt_lfFaceName",
                 "r_lfFaceName", "rt_lfFaceName", "ExternalViewer", "ExternalEditor"});
  return out;
}

// ---- registry helpers --------------------------------------------------------------------------

struct StoredValue {
  Text name;
  uint32_t type = 0;
  std::vector<unsigned char> data;
};

std::vector<StoredValue> Dump() {
  std::vector<StoredValue> out;
  RegistryKey key;
  if (platform::OpenUserKey(kKey, RegistryAccess::Read, key) != 0) return out;
  for (uint32_t index = 0;; ++index) {
    StoredValue value;
    uint32_t size = 0;
    if (platform::EnumValue(key, index, value.name, &value.type, nullptr, &size) != 0) break;
    value.data.resize(size);
    EXPECT_EQ(platform::EnumValue(key, index, value.name, &value.type, value.data.data(), &size),
              0u);
    out.push_back(std::move(value));
  }
  return out;
}

// Writes the values into a fresh key, in the given order.
void Restore(const std::vector<StoredValue>& values) {
  platform::portable::ResetRegistry();
  RegistryKey key;
  ASSERT_EQ(platform::CreateUserKey(kKey, RegistryAccess::Write, key), 0u);
  for (const auto& value : values)
    ASSERT_EQ(platform::SetValue(key, value.name, value.type, value.data.data(),
                                 static_cast<uint32_t>(value.data.size())),
              0u);
}

Text LoadError(int code) {
  return u"Error load configuration from system registry: HKEY_CURRENT_USER\\Software\\Norvane\\"
         u" Error " + Ascii(std::to_string(code)) + u".";
}

// ---- records -----------------------------------------------------------------------------------

constexpr Colour Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }


Settings Defaults() {
  Settings s;
  ApplyDefaults(s);
  return s;
}

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::portable::ResetRegistry();
    gMessages.clear();
    previous_ = platform::SetMessageHook(&Capture);
  }
  void TearDown() override {
    platform::SetMessageHook(previous_);
    platform::portable::ResetRegistry();
  }

  // Saves a full non-default record and returns the stored values.
  std::vector<StoredValue> SavedValues() {
    Settings s = NonDefault();
    EXPECT_EQ(SaveSettings(s), 0);
    EXPECT_TRUE(gMessages.empty());
    return Dump();
  }

  platform::MessageHook previous_ = nullptr;
};

void ExpectLoadMessage(int code) {
  ASSERT_EQ(gMessages.size(), 1u);
  EXPECT_EQ(gMessages[0].text, LoadError(code));
  EXPECT_EQ(gMessages[0].caption, u"Error");
  EXPECT_EQ(gMessages[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(gMessages[0].buttons, platform::MessageButtons::Ok);
  EXPECT_EQ(gMessages[0].owner, nullptr);
}

// ---- saving ------------------------------------------------------------------------------------

TEST_F(SettingsStore, SaveWritesEveryValueInOrderWithItsKindAndSize) {
  Settings s = NonDefault();
  ASSERT_EQ(SaveSettings(s), 0);
  EXPECT_TRUE(gMessages.empty());

  const auto values = Dump();  // the in-memory registry enumerates in write order
  const auto expected = SaveOrder();
  ASSERT_EQ(values.size(), expected.size());
  EXPECT_EQ(values.size(), 1u + 37 + 21 + 22 + 52 + 8);
  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(ToUtf8(values[i].name), expected[i].name);
    switch (expected[i].kind) {
      case Kind::Dword:
        EXPECT_EQ(values[i].type, kRegDword);
        EXPECT_EQ(values[i].data.size(), 4u);
        break;
      case Kind::Flag:
        EXPECT_EQ(values[i].type, kRegBinary);
        EXPECT_EQ(values[i].data.size(), 1u);
        break;
      case Kind::Text:
        EXPECT_EQ(values[i].type, kRegSz);
        break;
    }
  }
}

TEST_F(SettingsStore, RoundTripOfANonDefaultRecord) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(loaded, saved);
}

TEST_F(SettingsStore, SaveTakesTheLiveStateFirst) {
  Settings s = Defaults();
  LiveState live;
  live.SortPanelLeft = 1004, live.SortPanelRight = 1005;
  live.ModePanelLeft = 1001, live.ModePanelRight = 1002;
  live.ModePanelLeftColumns = 4, live.ModePanelRightColumns = 3;
  live.WindowsOffset = 80;
  live.PanelPathLeft = u"C:\\live\\left";
  live.PanelPathRight = u"C:\\live\\right";
  live.FontViewerSize = 1002, live.FontViewerFace = 1003;
  live.FontStatusbarSize = 1000, live.FontStatusbarFace = 1004;
  live.leftFont = Font(1, u"A");
  live.leftTitleFont = Font(2, u"B");
  live.rightFont = Font(3, u"C");
  live.rightTitleFont = Font(4, u"D");
  live.WindowLeft = 0, live.WindowTop = 0, live.WindowRight = 1920, live.WindowBottom = 1080;
  ASSERT_EQ(SaveSettings(s, live), 0);

  EXPECT_EQ(s.SortPanelLeft, 1004);
  EXPECT_EQ(s.ModePanelRightColumns, 3);
  EXPECT_EQ(s.WindowsOffset, 80);
  EXPECT_EQ(s.PanelPathRight, u"C:\\live\\right");
  EXPECT_EQ(s.FontStatusbarFace, 1004);
  ExpectSameFont(s.lt_, live.leftTitleFont);
  EXPECT_EQ(s.WindowRight, 1920);

  Settings loaded = Defaults();
  ASSERT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.SortPanelLeft, 1004);
  EXPECT_EQ(loaded.SortPanelRight, 1005);
  EXPECT_EQ(loaded.ModePanelLeft, 1001);
  EXPECT_EQ(loaded.ModePanelRight, 1002);
  EXPECT_EQ(loaded.ModePanelLeftColumns, 4);
  EXPECT_EQ(loaded.WindowsOffset, 80);
  EXPECT_EQ(loaded.PanelPathLeft, u"C:\\live\\left");
  EXPECT_EQ(loaded.FontViewerSize, 1002);
  EXPECT_EQ(loaded.FontViewerFace, 1003);
  EXPECT_EQ(loaded.FontStatusbarSize, 1000);
  ExpectSameFont(loaded.l_, live.leftFont);
  ExpectSameFont(loaded.lt_, live.leftTitleFont);
  ExpectSameFont(loaded.r_, live.rightFont);
  ExpectSameFont(loaded.rt_, live.rightTitleFont);
  EXPECT_EQ(loaded.WindowBottom, 1080);
}

TEST_F(SettingsStore, RefusedWritesGiveTheSaveMessageAndKeepEarlierValues) {
  Settings first = NonDefault();
  ASSERT_EQ(SaveSettings(first), 0);
  const auto before = Dump();

  Settings second = Defaults();
  platform::portable::SetRegistryWriteFailure(platform::kErrorAccessDenied);
  EXPECT_EQ(SaveSettings(second), 0);
  platform::portable::SetRegistryWriteFailure(0);

  ASSERT_EQ(gMessages.size(), 1u);
  EXPECT_EQ(gMessages[0].text, u"Error save configuration to system registry. Error 5.");
  EXPECT_EQ(gMessages[0].caption, u"Error");
  EXPECT_EQ(gMessages[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(gMessages[0].owner, nullptr);

  const auto after = Dump();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].name, before[i].name);
    EXPECT_EQ(after[i].type, before[i].type);
    EXPECT_EQ(after[i].data, before[i].data);
  }
  gMessages.clear();
  Settings loaded = Defaults();
  ASSERT_EQ(LoadSettings(loaded), 0);
  ExpectSame(loaded, first);
}

TEST_F(SettingsStore, AKeyThatCannotBeCreatedGivesTheOpenMessageAndWritesNothing) {
  platform::portable::SetRegistryWriteFailure(1021);  // ERROR_CANNOT_MAKE... any code
  Settings s = NonDefault();
  EXPECT_EQ(SaveSettings(s), -1);
  platform::portable::SetRegistryWriteFailure(0);
  ASSERT_EQ(gMessages.size(), 1u);
  EXPECT_EQ(gMessages[0].text, u"Error opening system registry. Error 1021.");
  EXPECT_EQ(gMessages[0].caption, u"Error");
  EXPECT_EQ(gMessages[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(gMessages[0].owner, nullptr);
  RegistryKey key;
  EXPECT_EQ(platform::OpenUserKey(kKey, RegistryAccess::Read, key), platform::kErrorFileNotFound);
}

// ---- loading -----------------------------------------------------------------------------------

TEST_F(SettingsStore, NoKeyGivesDefaultsSilently) {
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(s, Defaults());
}

TEST_F(SettingsStore, KeyThatCannotBeCreatedGivesDefaultsSilently) {
  platform::portable::SetRegistryWriteFailure(5);
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  platform::portable::SetRegistryWriteFailure(0);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(s, Defaults());
}

TEST_F(SettingsStore, MissingLaterValueGivesOneMessageAndDiscardsWhatWasRead) {
  auto values = SavedValues();
  std::erase_if(values, [](const StoredValue& v) { return v.name == u"PanelLargeIcons"; });
  Restore(values);
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  ExpectLoadMessage(2);
  ExpectSame(s, Defaults());  // the colours and numbers read before are gone
}

TEST_F(SettingsStore, EachMissingValueStopsTheLoad) {
  const auto values = SavedValues();
  for (const auto& expected : LoadOrder()) {
    if (expected.name == "ColorScheme") continue;
    SCOPED_TRACE(expected.name);
    auto without = values;
    const size_t before = without.size();
    std::erase_if(without, [&](const StoredValue& v) { return ToUtf8(v.name) == expected.name; });
    ASSERT_EQ(without.size() + 1, before);
    Restore(without);
    gMessages.clear();
    Settings s = NonDefault();
    EXPECT_EQ(LoadSettings(s), -1);
    ExpectLoadMessage(2);
    EXPECT_EQ(s.HistoryCount, 10);
    EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
  }
}

// The load order, pair by pair: when value i has the wrong type (error 13) and value i + 1 is
// missing (error 2), the first failure the load meets is 13 exactly when i is read first.
TEST_F(SettingsStore, LoadReadsInTheSpecifiedOrder) {
  const auto values = SavedValues();
  const auto order = LoadOrder();
  for (size_t i = 1; i + 1 < order.size(); ++i) {
    SCOPED_TRACE(order[i].name + " before " + order[i + 1].name);
    std::vector<StoredValue> staged;
    for (const auto& v : values) {
      const std::string name = ToUtf8(v.name);
      if (name == order[i + 1].name) continue;
      staged.push_back(v);
      if (name == order[i].name) staged.back().type = kRegMultiSz;
    }
    Restore(staged);
    gMessages.clear();
    Settings s;
    EXPECT_EQ(LoadSettings(s), -1);
    ExpectLoadMessage(13);
  }
}

TEST_F(SettingsStore, LongTextsOfAnyKindLeaveTheirFieldEmpty) {
  Settings s = NonDefault();
  s.ExternalEditor = Text(1000, u'e');
  s.l_.lfFaceName = Text(300, u'f');
  ASSERT_EQ(SaveSettings(s), 0);
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(loaded.ExternalEditor, u"");
  EXPECT_EQ(loaded.l_.lfFaceName, u"");
  EXPECT_EQ(loaded.lt_.lfFaceName, s.lt_.lfFaceName);
}

TEST_F(SettingsStore, LoadEmptiesTheTextsBeforeReading) {
  Settings s = NonDefault();
  s.ExternalViewer.clear();
  ASSERT_EQ(SaveSettings(s), 0);
  Settings loaded = NonDefault();
  loaded.ExternalViewer = u"stale";
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.ExternalViewer, u"");
}

TEST_F(SettingsStore, LoadDoesNotApplyTheSchemeItReads) {
  Settings saved = NonDefault();
  saved.ColorScheme = 1;  // Gray, with colours of its own
  ASSERT_EQ(SaveSettings(saved), 0);
  Settings loaded = Defaults();
  ASSERT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.ColorScheme, 1);
  EXPECT_EQ(loaded.ClrPanelBackground, saved.ClrPanelBackground);
}

}  // namespace
}  // namespace nrv
