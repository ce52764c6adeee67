// The user guide's keys reference against the key tables: every key that does something is
// listed in its place, nothing else is, and each name means one key.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "shell/command_ids.h"
#include "shell/key_table.h"
#include "shell/keys_reference.h"
#include "shell/menu_model.h"

namespace nrv {
namespace {

// Place title -> key name -> what the reference says it does.
using Listed = std::map<std::string, std::map<std::string, std::string>>;

Listed ParseReference(const std::string& text) {
  Listed listed;
  std::istringstream lines(text);
  std::string line, place;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (line[0] != ' ') {
      place = line;
      continue;
    }
    const size_t gap = line.find("  ", 2);
    if (gap == std::string::npos) {
      ADD_FAILURE() << "no description on \"" << line << "\"";
      continue;
    }
    std::string keys = line.substr(2, gap - 2);
    const std::string what = line.substr(line.find_first_not_of(' ', gap));
    for (size_t start = 0; start <= keys.size();) {
      const size_t comma = std::min(keys.find(", ", start), keys.size());
      listed[place][keys.substr(start, comma - start)] = what;
      start = comma + 2;
    }
  }
  return listed;
}

// Each key-down with each set of modifiers, walked here rather than taken from the generator.
template <typename Visit>
void ForEveryKey(Visit visit) {
  for (uint32_t key = 0; key < 0x100; ++key)
    for (bool ctrl : {false, true})
      for (bool shift : {false, true})
        for (bool alt : {false, true}) visit(KeyState{key, ctrl, shift, alt});
}

TEST(KeysReference, EveryBoundKeyIsListedInItsPlaceWithWhatItDoes) {
  const Listed listed = ParseReference(KeysReferenceText());
  ASSERT_EQ(listed.size(), KeyPlaces().size());
  for (const KeyPlace& place : KeyPlaces()) {
    ASSERT_TRUE(listed.contains(std::string(place.title))) << place.title;
    const auto& keys = listed.at(std::string(place.title));
    size_t bound = 0;
    ForEveryKey([&](const KeyState& key) {
      const KeyUse use = place.use(key);
      if (key.shift && use.text.empty()) {
        // The guide says an added Shift changes nothing unless listed.
        EXPECT_TRUE(place.use({key.key, key.ctrl, false, key.alt}).text.empty())
            << place.title << ": " << KeyName(key) << " does nothing";
      }
      if (use.text.empty()) return;
      ++bound;
      KeyState named = key;
      // Shift that changes nothing is left out; the guide says so.
      if (key.shift && place.use({key.key, key.ctrl, false, key.alt}).action == use.action)
        named.shift = false;
      const auto found = keys.find(KeyName(named));
      ASSERT_NE(found, keys.end()) << place.title << ": " << KeyName(key) << " is not listed";
      EXPECT_EQ(found->second, use.text) << place.title << ": " << KeyName(key);
    });
    EXPECT_GT(bound, 0u) << place.title;
  }
}

TEST(KeysReference, ListsOnlyKeysThatDoSomethingThere) {
  std::map<std::string, KeyState> byName;
  ForEveryKey([&](const KeyState& key) {
    EXPECT_TRUE(byName.emplace(KeyName(key), key).second) << "two keys named " << KeyName(key);
  });
  const Listed listed = ParseReference(KeysReferenceText());
  for (const KeyPlace& place : KeyPlaces()) {
    for (const auto& [name, what] : listed.at(std::string(place.title))) {
      ASSERT_TRUE(byName.contains(name)) << name;
      EXPECT_EQ(place.use(byName[name]).text, what) << place.title << ": " << name;
    }
  }
}

// The places read the tables as the program does: the main loop first, panels get the rest.
TEST(KeysReference, PlacesFollowTheMainLoopAndThePanelTables) {
  const auto places = KeyPlaces();
  ASSERT_GE(places.size(), 2u);
  ASSERT_EQ(places[0].title, "Main window");
  ASSERT_EQ(places[1].title, "Panels");
  ForEveryKey([&](const KeyState& key) {
    const LoopKey loop = LoopKeyAction(key, {});
    const bool loopActs = loop != LoopKey::None && loop != LoopKey::Swallow;
    EXPECT_EQ(!places[0].use(key).text.empty(), loopActs) << KeyName(key);
    const bool panelActs = loop == LoopKey::None && PanelKeyAction(key) != PanelKey::None;
    EXPECT_EQ(!places[1].use(key).text.empty(), panelActs) << KeyName(key);
  });
  const Listed listed = ParseReference(KeysReferenceText());
  const auto& main = listed.at("Main window");
  const auto& panels = listed.at("Panels");
  EXPECT_EQ(main.at("F10"), main.at("Alt+F10"));  // F10 also arrives as a system key
  EXPECT_FALSE(main.contains("Alt+F4"));           // swallowed, not bound
  EXPECT_FALSE(panels.contains("Shift+F3"));       // the same as F3
  EXPECT_NE(panels.at("Shift+F8"), panels.at("F8"));
  EXPECT_TRUE(panels.contains("Ctrl+F8"));
  EXPECT_FALSE(panels.contains("Ctrl+Shift+F8"));
  EXPECT_TRUE(panels.contains("Gray +"));
  EXPECT_FALSE(panels.contains("Tab"));  // the main loop's
}

// Tabs: Ctrl with Tab walks the tabs in the main loop, Tab alone still switches panels; the
// panel keys open, close and move them.
TEST(KeysReference, TabKeysAreListedWhereTheyAct) {
  const Listed listed = ParseReference(KeysReferenceText());
  const auto& main = listed.at("Main window");
  const auto& panels = listed.at("Panels");
  EXPECT_EQ(main.at("Tab"), "Switch to the other panel");
  EXPECT_EQ(main.at("Ctrl+Tab"), "Next tab of the active panel");
  EXPECT_EQ(main.at("Ctrl+Shift+Tab"), "Previous tab of the active panel");
  EXPECT_EQ(panels.at("Ctrl+T"), "New tab on the same folder");
  EXPECT_EQ(panels.at("Ctrl+W"), "Close the tab");
  EXPECT_EQ(panels.at("Ctrl+Shift+PgUp"), "Move the tab one place left");
  EXPECT_EQ(panels.at("Ctrl+Shift+PgDn"), "Move the tab one place right");
  EXPECT_FALSE(panels.contains("Ctrl+PgUp"));
  EXPECT_EQ(LoopKeyAction({vk::kTab, true, false, false}, {true, false}), LoopKey::OtherPanel);  // viewer

  // Both panel menus show the keys the reference lists for their tab items.
  const std::map<uint32_t, std::string> shown{{command::kNewTab, "Ctrl+T"},
                                              {command::kCloseTab, "Ctrl+W"},
                                              {command::kNextTab, "Ctrl+Tab"},
                                              {command::kPreviousTab, "Ctrl+Shift+Tab"}};
  const auto menu = MainMenuModel();
  for (const size_t popup : {size_t{0}, size_t{4}}) {
    size_t found = 0;
    for (const MenuEntry& entry : menu[popup].entries) {
      const auto key = shown.find(command::SplitPanelCommand(entry.command).leftId);
      if (entry.kind != MenuEntry::Kind::Item || key == shown.end()) continue;
      ++found;
      const std::string text = ToUtf8(entry.text);
      EXPECT_EQ(text.substr(text.find('\t') + 2), key->second);
      EXPECT_TRUE(main.contains(key->second) || panels.contains(key->second)) << key->second;
    }
    EXPECT_EQ(found, shown.size());
  }
}

// The editor lists its own keys; the text control's keys and the main loop's are not its.
TEST(KeysReference, EditorListsTheKeysItTakesFromTheControl) {
  const Listed listed = ParseReference(KeysReferenceText());
  ASSERT_TRUE(listed.contains("Editor"));
  const auto& editor = listed.at("Editor");
  EXPECT_EQ(editor.at("F2"), "Save");
  EXPECT_EQ(editor.at("Shift+F2"), "Save as");
  EXPECT_EQ(editor.at("Ctrl+V"), editor.at("Shift+Ins"));
  EXPECT_EQ(editor.at("Ctrl+F"), editor.at("F7"));
  EXPECT_EQ(editor.at("Ctrl+G"), editor.at("F8"));
  EXPECT_TRUE(editor.contains("Esc"));
  EXPECT_TRUE(editor.contains("Ctrl+Ins"));
  EXPECT_FALSE(editor.contains("Ins"));         // the control's overwrite switch
  EXPECT_FALSE(editor.contains("Ctrl+C"));      // the control copies by itself
  EXPECT_FALSE(editor.contains("Ctrl+Alt+V"));  // AltGr with a letter types a character
  EXPECT_FALSE(editor.contains("F10"));         // the main loop's
  EXPECT_FALSE(editor.contains("Tab"));         // typed, not the other panel
}

}  // namespace
}  // namespace nrv
