// Under Wine: the settings store against the real registry, key
// HKEY_CURRENT_USER\Software\Norvane\, which every test deletes before and after itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/settings.h"
#include "config/settings_store.h"
#include "platform/files.h"
#include "support/message_capture.h"
#include "support/settings_records.h"

namespace nrv {
namespace {

using test::ExpectSame;
using test::NonDefault;

const wchar_t kKey[] = L"Software\\Norvane";

struct StoredValue { DWORD type = 0; std::vector<BYTE> data; };

// The key's values through the Win32 API itself, independently of the store.
std::map<std::wstring, StoredValue> Dump() {
  std::map<std::wstring, StoredValue> out;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
  wchar_t name[256];
  BYTE data[2048];
  DWORD nameLength = 256, size = sizeof(data), type = 0;
  for (DWORD i = 0; ::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) == ERROR_SUCCESS; ++i) {
    out[std::wstring(name, nameLength)] = {type, std::vector<BYTE>(data, data + size)};
    nameLength = 256, size = sizeof(data);
  }
  ::RegCloseKey(key);
  return out;
}

void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, type, data, size), ERROR_SUCCESS);
}

Settings Defaults() {
  Settings s;
  ApplyDefaults(s);
  return s;
}

class WineSettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey), ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { SetUp(); }
  static void SaveNonDefault() {
    Settings s = NonDefault();
    ASSERT_EQ(SaveSettings(s), 0);
  }

  // A refused load gives the whole default record back, with the message of the error or none.
  static void ExpectRefusedLoad(int error) {
    test::MessageCapture messages;
    Settings s = NonDefault();
    EXPECT_EQ(LoadSettings(s), -1);
    ExpectSame(s, Defaults());
    const auto taken = messages.Taken();
    ASSERT_EQ(taken.size(), error ? 1u : 0u);
    if (!error) return;
    EXPECT_EQ(taken[0].text, u"Error load configuration from system registry: HKEY_CURRENT_USER\\Software\\"
                             u"Norvane\\ Error " + Ascii(std::to_string(error)) + u".");
    EXPECT_EQ(taken[0].caption, u"Error");
  }
};

TEST_F(WineSettingsStore, FirstRunGivesDefaultsThenSaveWritesEveryValueWithItsTypeAndSize) {
  test::MessageCapture messages;
  Settings s = NonDefault();
  EXPECT_EQ(LoadSettings(s), -1);
  ExpectSame(s, Defaults());
  EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
  EXPECT_TRUE(Dump().empty());

  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(saved), 0);
  // Numbers are DWORDs, switches one byte, texts REG_SZ.
  const auto values = Dump();
  std::map<DWORD, int> kinds;
  for (const auto& [name, value] : values) {
    ++kinds[value.type];
    if (value.type != REG_SZ) {
      EXPECT_EQ(value.data.size(), value.type == REG_DWORD ? 4u : 1u) << std::string(name.begin(), name.end());
    }
  }
  EXPECT_EQ(kinds, (std::map<DWORD, int>{{REG_SZ, 8}, {REG_BINARY, 22}, {REG_DWORD, 111}}));
  // Texts are two bytes a character and no terminator, names outside the ANSI code page included.
  for (const auto& [name, text] : {std::pair{L"PanelPathRight", saved.PanelPathRight},
                                   std::pair{L"rt_lfFaceName", saved.rt_.lfFaceName}}) {
    const auto& data = values.at(name).data;
    ASSERT_EQ(data.size(), text.size() * 2);
    EXPECT_EQ(std::memcmp(data.data(), text.data(), data.size()), 0);
  }

  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  ExpectSame(loaded, saved);
  EXPECT_TRUE(messages.Taken().empty());
}

TEST_F(WineSettingsStore, StartUpMessagesOnlyForAKeyThatIsThereButIncomplete) {
  const DWORD scheme = 2;
  Put(L"ColorScheme", REG_DWORD, &scheme, 4);
  ExpectRefusedLoad(2);

  // Without a scheme the stored values are not taken and nothing is said; neither are they with
  // a scheme that is not a number.
  SaveNonDefault();
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"ColorScheme");
  ExpectRefusedLoad(0);
  Put(L"ColorScheme", REG_SZ, u"3", 4);
  ExpectRefusedLoad(0);

  SaveNonDefault();
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"PanelLargeIcons");
  ExpectRefusedLoad(2);
}

TEST_F(WineSettingsStore, WrongTypesAndSizesAreRefusedWithInvalidData) {
  const std::tuple<const wchar_t*, DWORD, std::vector<BYTE>> cases[] = {
      {L"HistoryCount", REG_DWORD, {10, 0}},
      {L"HistoryCount", REG_BINARY, {10, 0, 0, 0}},
      {L"PanelLargeIcons", REG_BINARY, {1, 0, 0, 0}},
      {L"PanelLargeIcons", REG_BINARY, {}},
      {L"PanelLargeIcons", REG_DWORD, {1, 0, 0, 0}},
      {L"PanelPathLeft", REG_BINARY, {'C', 0, ':', 0}},
      {L"PanelPathLeft", REG_EXPAND_SZ, {'C', 0, ':', 0}},
      {L"ExternalEditor", REG_SZ, {'C', 0, ':'}},
  };
  for (const auto& [name, type, data] : cases) {
    SCOPED_TRACE(testing::Message() << name << " type " << type << " size " << data.size());
    SaveNonDefault();
    Put(name, type, data.data(), static_cast<DWORD>(data.size()));
    ExpectRefusedLoad(13);
  }
}

TEST_F(WineSettingsStore, TextsUpTo259CharactersComeBackEmptyOnesAreStoredEmptyAndOtherWritersAreRead) {
  Settings saved = NonDefault();
  saved.PanelPathLeft = u"C:\\" + Text(256, u'a');
  saved.PanelPathRight.clear();
  ASSERT_EQ(SaveSettings(saved), 0);
  EXPECT_EQ(Dump().at(L"PanelPathLeft").data.size(), 518u);
  EXPECT_EQ(Dump().at(L"PanelPathRight").data.size(), 0u);
  Settings loaded = Defaults();
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.PanelPathLeft, saved.PanelPathLeft);
  EXPECT_EQ(loaded.PanelPathRight, u"");

  saved.PanelPathLeft += u'b';
  ASSERT_EQ(SaveSettings(saved), 0);
  EXPECT_EQ(Dump().at(L"PanelPathLeft").data.size(), 520u);
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.PanelPathLeft, u"") << "260 characters are one too many";
  EXPECT_EQ(loaded.rt_.lfFaceName, saved.rt_.lfFaceName);

  // Values other programs wrote are read as they are: a text with its terminator, any flag byte.
  const BYTE seven = 7;
  Put(L"EditorWordWrap", REG_BINARY, &seven, 1);
  Put(L"PanelPathLeft", REG_SZ, L"D:\\Elsewhere", sizeof(L"D:\\Elsewhere"));
  EXPECT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.EditorWordWrap, 7);
  EXPECT_EQ(loaded.PanelPathLeft, u"D:\\Elsewhere");
}

}  // namespace
}  // namespace nrv
