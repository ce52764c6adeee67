// Under Wine: the settings store against the real registry, key
// HKEY_CURRENT_USER\Software\Norvane\, which every test deletes before and after itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/system.h"
#include "support/settings_records.h"

namespace nrv {
namespace {

using test::Colours;
using test::ExpectSame;
using test::ExpectSameFont;
using test::Font;
using test::NonDefault;

const wchar_t kKey[] = L"Software\\Norvane\\";

// ---- messages --------------------------------------------------------------------------------

std::vector<platform::MessageRequest> gMessages;

platform::MessageAnswer Capture(const platform::MessageRequest& request) {
  gMessages.push_back(request);
  return platform::MessageAnswer::Ok;
}

Text LoadError(int code) {
  return u"Error load configuration from system registry: HKEY_CURRENT_USER\\Software\\Norvane\\"
         u" Error " + Ascii(std::to_string(code)) + u".";
}

void ExpectOneLoadMessage(int code) {
  ASSERT_EQ(gMessages.size(), 1u);
  EXPECT_EQ(gMessages[0].text, LoadError(code));
  EXPECT_EQ(gMessages[0].caption, u"Error");
  EXPECT_EQ(gMessages[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(gMessages[0].owner, nullptr);
}

// ---- the registry, through the Win32 API itself -------------------------------------------------

void DeleteNorvaneKey() {
  LONG result = ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane");
  ASSERT_TRUE(result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) << result;
  result = ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Norvane");
  ASSERT_TRUE(result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) << result;
}

bool KeyExists() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

struct StoredValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};

std::map<std::wstring, StoredValue> Dump() {
  std::map<std::wstring, StoredValue> out;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
  for (DWORD index = 0;; ++index) {
    wchar_t name[512];
    DWORD nameLength = 512;
    StoredValue value;
    DWORD size = 0;
    if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    value.data.resize(size + 2);  // room for a terminator Wine may append
    nameLength = 512;
    DWORD readSize = size + 2;
    EXPECT_EQ(::RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type,
                              value.data.data(), &readSize),
              ERROR_SUCCESS);
    value.data.resize(size);
    out[std::wstring(name, nameLength)] = std::move(value);
  }
  ::RegCloseKey(key);
  return out;
}

void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
}

void Remove(const wchar_t* name) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  EXPECT_EQ(::RegDeleteValueW(key, name), ERROR_SUCCESS);
  ::RegCloseKey(key);
}

// ---- the values and their kinds, written out independently of the store ----------------------

enum class Kind { Dword, Flag, Text };

std::map<std::wstring, Kind> ExpectedKinds() {
  std::map<std::wstring, Kind> out;
  const wchar_t* const dwords[] = {
      L"ColorScheme",
      L"ClrPanelBackground", L"ClrPanelText", L"ClrPanelHighlightText",
      L"ClrPanelStatusbarBackground", L"ClrPanelStatusbarText", L"ClrPanelSelectedBackground",
      L"ClrPanelSelectedText", L"ClrPanelCursorBackground", L"ClrPanelCursorText",
      L"ClrPanelFilesText", L"ClrPanelFoldersText", L"ClrPanelJunctionFrame",
      L"ClrPanelFolderFrame", L"ClrPanelLongNameFrame", L"ClrPanelHiddenFilesText",
      L"ClrPanelArchiveFilesText", L"ClrPanelExecutableFilesText", L"ClrPanelToolbarBackground",
      L"ClrPanelToolbarBackgroundSelected", L"ClrPanelToolbarText", L"ClrPanelMenuText",
      L"ClrPanelMenuBackground", L"ClrPanelMenuBackgroundDefault",
      L"ClrPanelMenuBackgroundChecked", L"ClrPanelTitleBackground", L"ClrViewerBackground",
      L"ClrViewerText", L"ClrViewerStatusbarBackground", L"ClrViewerStatusbarText",
      L"ClrViewerSelectedBackground", L"ClrViewerSelectedText", L"ClrEditorBackground",
      L"ClrEditorText", L"ClrEditorStatusbarBackground", L"ClrEditorStatusbarText",
      L"ClrEditorSelectedBackground", L"ClrEditorSelectedText",
      L"FontPanelSizeLeft", L"FontPanelFaceLeft", L"FontPanelSizeRight", L"FontPanelFaceRight",
      L"FontViewerSize", L"FontViewerFace", L"FontStatusbarSize", L"FontStatusbarFace",
      L"SortPanelLeft", L"SortPanelRight", L"ModePanelLeft", L"ModePanelRight",
      L"ModePanelLeftColumns", L"ModePanelRightColumns", L"PanelContextMenuTimer",
      L"WindowsOffset", L"HistoryCount", L"WindowLeft", L"WindowTop", L"WindowRight",
      L"WindowBottom"};
  for (const wchar_t* name : dwords) out[name] = Kind::Dword;
  const wchar_t* const flags[] = {
      L"PanelShowToolbar", L"PanelShowMenu", L"PanelAutoUpdatePanels",
      L"PanelAutoUpdateNetwork", L"PanelShowFreeSize", L"PanelShowFreeSizeNetwork",
      L"PanelShowFileOwners", L"PanelScrollColumns", L"PanelSelectFolders",
      L"PanelDeleteRecycle", L"PanelAllowDragdrop", L"PanelAllowSysmenu", L"PanelShowTooltips",
      L"PanelShowPanelStatusbar", L"PanelShowIcons", L"PanelLargeIcons", L"ArrageHorizontal",
      L"ViewerSavePosition", L"UseExternalViewer", L"UseExternalEditor", L"EditorSavePosition",
      L"EditorWordWrap"};
  for (const wchar_t* name : flags) out[name] = Kind::Flag;
  for (const wchar_t* prefix : {L"l_", L"lt_", L"r_", L"rt_"}) {
    for (const wchar_t* member :
         {L"lfCharSet", L"lfClipPrecision", L"lfEscapement", L"lfHeight", L"lfItalic",
          L"lfOrientation", L"lfPitchAndFamily", L"lfOutPrecision", L"lfQuality",
          L"lfStrikeOut", L"lfUnderline", L"lfWeight", L"lfWidth"})
      out[std::wstring(prefix) + member] = Kind::Dword;
    out[std::wstring(prefix) + L"lfFaceName"] = Kind::Text;
  }
  for (const wchar_t* name :
       {L"PanelPathLeft", L"PanelPathRight", L"ExternalViewer", L"ExternalEditor"})
    out[name] = Kind::Text;
  return out;
}

// ---- records -----------------------------------------------------------------------------------



Settings Defaults() {
  Settings s;
  ApplyDefaults(s);
  return s;
}



class WineSettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteNorvaneKey();
    gMessages.clear();
    previous_ = platform::SetMessageHook(&Capture);
  }
  void TearDown() override {
    platform::SetMessageHook(previous_);
    DeleteNorvaneKey();
  }
  platform::MessageHook previous_ = nullptr;
};

// ---- tests -------------------------------------------------------------------------------------

TEST_F(WineSettingsStore, FirstRunGivesDefaultsThenSaveCreatesEveryValue) {
  ASSERT_FALSE(KeyExists());
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(s, Defaults());
  EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
  EXPECT_EQ(s.lt_.lfFaceName, platform::OsMajorVersion() >= 6 ? u"Consolas" : u"Courier New");
  EXPECT_TRUE(KeyExists());  // opened with "create when missing"
  EXPECT_TRUE(Dump().empty());

  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  EXPECT_TRUE(gMessages.empty());

  const auto values = Dump();
  const auto kinds = ExpectedKinds();
  EXPECT_EQ(kinds.size(), 141u);
  EXPECT_EQ(values.size(), kinds.size());
  for (const auto& [name, kind] : kinds) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    const auto it = values.find(name);
    ASSERT_NE(it, values.end());
    switch (kind) {
      case Kind::Dword:
        EXPECT_EQ(it->second.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(it->second.data.size(), 4u);
        break;
      case Kind::Flag:
        EXPECT_EQ(it->second.type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(it->second.data.size(), 1u);
        break;
      case Kind::Text:
        EXPECT_EQ(it->second.type, static_cast<DWORD>(REG_SZ));
        break;
    }
  }

  // The raw data of a few values of each kind; every text is 2 x length bytes.
  const std::pair<const wchar_t*, Text> texts[] = {
      {L"PanelPathLeft", saved.PanelPathLeft},   {L"PanelPathRight", saved.PanelPathRight},
      {L"ExternalViewer", saved.ExternalViewer}, {L"ExternalEditor", saved.ExternalEditor},
      {L"l_lfFaceName", saved.l_.lfFaceName},    {L"lt_lfFaceName", saved.lt_.lfFaceName},
      {L"r_lfFaceName", saved.r_.lfFaceName},    {L"rt_lfFaceName", saved.rt_.lfFaceName}};
  for (const auto& [name, text] : texts) {
    const StoredValue& value = values.at(name);
    ASSERT_EQ(value.data.size(), text.size() * 2) << std::string(text.begin(), text.end());
    EXPECT_EQ(std::memcmp(value.data.data(), text.data(), value.data.size()), 0);
  }
  int32_t number = 0;
  std::memcpy(&number, values.at(L"WindowsOffset").data.data(), 4);
  EXPECT_EQ(number, -33);
  std::memcpy(&number, values.at(L"rt_lfWeight").data.data(), 4);
  EXPECT_EQ(number, saved.rt_.lfWeight);
  uint32_t colour = 0;
  std::memcpy(&colour, values.at(L"ClrEditorSelectedText").data.data(), 4);
  EXPECT_EQ(colour, saved.ClrEditorSelectedText);
  EXPECT_EQ(values.at(L"PanelLargeIcons").data[0], 1);
  EXPECT_EQ(values.at(L"PanelShowToolbar").data[0], 0);

  // Read back.
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(loaded, saved);
}

TEST_F(WineSettingsStore, OnlyColorSchemeGivesOneMessageWithTheKeyAndErrorTwo) {
  const DWORD scheme = 2;
  Put(L"ColorScheme", REG_DWORD, &scheme, 4);
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  ExpectOneLoadMessage(2);
  ExpectSame(s, Defaults());
}

TEST_F(WineSettingsStore, MissingPanelLargeIconsGivesOneMessageAndDefaults) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  Remove(L"PanelLargeIcons");
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  ExpectOneLoadMessage(2);
  ExpectSame(s, Defaults());
}

TEST_F(WineSettingsStore, MissingColorSchemeGivesDefaultsSilently) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  Remove(L"ColorScheme");
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(s, Defaults());
}

TEST_F(WineSettingsStore, PathOf259CharactersIsRestoredAnd260IsNot) {
  Settings saved = NonDefault();
  saved.PanelPathLeft = u"C:\\" + Text(256, u'a');
  ASSERT_EQ(saved.PanelPathLeft.size(), 259u);
  ASSERT_EQ(SaveSettings(saved), 0);
  EXPECT_EQ(Dump().at(L"PanelPathLeft").data.size(), 518u);
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(loaded.PanelPathLeft, saved.PanelPathLeft);

  saved.PanelPathLeft += u'b';
  ASSERT_EQ(saved.PanelPathLeft.size(), 260u);
  ASSERT_EQ(SaveSettings(saved), 0);
  EXPECT_EQ(Dump().at(L"PanelPathLeft").data.size(), 520u);
  loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(loaded.PanelPathLeft, u"");
  EXPECT_EQ(loaded.PanelPathRight, saved.PanelPathRight);
  EXPECT_EQ(loaded.rt_.lfFaceName, saved.rt_.lfFaceName);
}

TEST_F(WineSettingsStore, EmptyPathIsStoredWithSizeZeroAndReadBackEmpty) {
  Settings saved = NonDefault();
  saved.PanelPathRight.clear();
  ASSERT_EQ(SaveSettings(saved), 0);
  const auto values = Dump();
  EXPECT_EQ(values.at(L"PanelPathRight").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(values.at(L"PanelPathRight").data.size(), 0u);
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(loaded.PanelPathRight, u"");
  EXPECT_EQ(loaded.PanelPathLeft, saved.PanelPathLeft);
}

TEST_F(WineSettingsStore, WrongTypesAndSizesAreRefusedWithInvalidData) {
  struct Case {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  const Case cases[] = {
      {L"HistoryCount", REG_DWORD, {10, 0}},                    // DWORD too short
      {L"HistoryCount", REG_BINARY, {10, 0, 0, 0, 0, 0, 0, 0}}, // too long, wrong type
      {L"HistoryCount", REG_QWORD, {10, 0, 0, 0, 0, 0, 0, 0}},  // a QWORD
      {L"HistoryCount", REG_BINARY, {10, 0, 0, 0}},             // right size, wrong type
      {L"PanelLargeIcons", REG_BINARY, {1, 0, 0, 0}},           // FLAG too long
      {L"PanelLargeIcons", REG_BINARY, {}},                     // FLAG empty
      {L"PanelLargeIcons", REG_DWORD, {1, 0, 0, 0}},            // FLAG as a DWORD
      {L"PanelPathLeft", REG_BINARY, {'C', 0, ':', 0}},         // TEXT of the wrong type
      {L"PanelPathLeft", REG_EXPAND_SZ, {'C', 0, ':', 0}},      // another string type
      {L"ExternalEditor", REG_SZ, {'C', 0, ':'}},               // TEXT of an odd size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::wcslen(c.name)) + " type " +
                 std::to_string(c.type) + " size " + std::to_string(c.data.size()));
    DeleteNorvaneKey();
    Settings saved = NonDefault();
    ASSERT_EQ(SaveSettings(saved), 0);
    Put(c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    gMessages.clear();
    Settings s = NonDefault();
    EXPECT_EQ(LoadSettings(s), -1);
    ExpectOneLoadMessage(13);
    ExpectSame(s, Defaults());
  }
}

TEST_F(WineSettingsStore, UnfitColorSchemeGivesDefaultsSilently) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  const char16_t text[] = u"3";
  Put(L"ColorScheme", REG_SZ, text, sizeof(text));
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  EXPECT_TRUE(gMessages.empty());
  ExpectSame(s, Defaults());
}

TEST_F(WineSettingsStore, FlagByteOtherThanZeroOrOneIsKept) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  const BYTE seven = 7;
  Put(L"EditorWordWrap", REG_BINARY, &seven, 1);
  Settings s = Defaults();
  EXPECT_EQ(LoadSettings(s), 0);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(s.EditorWordWrap, 7);
}

TEST_F(WineSettingsStore, TextWrittenWithItsTerminatorByAnotherProgramIsRead) {
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  const wchar_t path[] = L"D:\\Elsewhere";
  Put(L"PanelPathLeft", REG_SZ, path, sizeof(path));
  Settings s = Defaults();
  EXPECT_EQ(LoadSettings(s), 0);
  EXPECT_EQ(s.PanelPathLeft, u"D:\\Elsewhere");
}

}  // namespace
}  // namespace nrv
