#include <gtest/gtest.h>
#include <windows.h>

#include "config/dialog_ids.h"
#include "config/quick_search_win32.h"
#include "core/panel_item.h"
#include "support/dialog_driver.h"

namespace nrv {
namespace {

using test::DialogDriver;
using test::TextOf;
using test::TypeCharacter;

int redraws = 0;
void CountRedraw(ItemList&, Panel&) { ++redraws; }

HWND SearchEdit(HWND dialog) { return ::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT); }

class WineQuickSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::DisplayAvailable()) GTEST_SKIP() << "no X display for Wine's windows";
    for (const char16_t* name :
         {u"..", u"Reports", u"readme.txt", u"rabbit", u"notes.TXT", u"\u0434\u0430\u043D\u043D\u044B\u0435.txt"})
      Append(list_, NewItem(name));
    panel_.itemCount = Count(list_);
    panel_.columns = 1;
    panel_.visibleCount = 4;
    redraws = 0;
  }

  // The panel command has already jumped to the first character; the box continues.
  int Search(HWND panelWindow, TextView start, std::vector<DialogDriver::Step> steps) {
    panel_.window = panelWindow;
    DialogDriver driver(std::move(steps));
    const int result = QuickSearch(start, panel_, list_, &CountRedraw);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_FALSE(driver.ClosedByForce());
    return result;
  }

  Panel panel_;
  ItemList list_;
};

TEST_F(WineQuickSearch, CharactersMoveTheCursorOrAreRefusedAndEnterCloses) {
  test::StandInWindow panelWindow(40, 60, 500, 400, false);
  panel_.cursor = 1;  // "r" found Reports
  Panel& panel = panel_;
  const int result =
      Search(panelWindow.Get(), u"r",
             {[&](HWND dialog) {
                EXPECT_EQ(TextOf(dialog), L"Search");
                const HWND edit = SearchEdit(dialog);
                EXPECT_EQ(TextOf(edit), L"r");
                EXPECT_EQ(::GetFocus(), edit);
                DWORD from = 0, to = 0;
                ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
                EXPECT_EQ(from, 1u);
                EXPECT_EQ(to, 1u);

                TypeCharacter(edit, L'E');  // folded: "rE" still finds Reports first
                EXPECT_EQ(panel.cursor, 1);
                TypeCharacter(edit, L'a');
                EXPECT_EQ(TextOf(edit), L"rEa");
                EXPECT_EQ(panel.cursor, 2);
                EXPECT_EQ(redraws, 2);

                TypeCharacter(edit, L'x');  // no name continues "rEa" with x
                EXPECT_EQ(TextOf(edit), L"rEa");
                EXPECT_EQ(panel.cursor, 2);
                EXPECT_EQ(redraws, 2);

                TypeCharacter(edit, L'\b');  // shortens without moving
                EXPECT_EQ(TextOf(edit), L"rE");
                EXPECT_EQ(panel.cursor, 2);
                TypeCharacter(edit, L'p');  // matched against the shortened text
                EXPECT_EQ(TextOf(edit), L"rEp");
                EXPECT_EQ(panel.cursor, 1);

                TypeCharacter(edit, L'\b');
                TypeCharacter(edit, L'\b');
                TypeCharacter(edit, L'A');
                EXPECT_EQ(TextOf(edit), L"rA");
                EXPECT_EQ(panel.cursor, 3);
                EXPECT_EQ(panel.top, 1);  // centred: 3 - 4 / 2
              },
              [](HWND dialog) { test::PostKey(SearchEdit(dialog), VK_RETURN); }});
  EXPECT_EQ(result, kDialogOk);
  EXPECT_EQ(panel_.cursor, 3);
}

TEST_F(WineQuickSearch, CyrillicFoldsAndEscapeOrTheCloseBoxCloseWithTwo) {
  test::StandInWindow panelWindow(40, 60, 500, 400, false);
  EXPECT_EQ(Search(panelWindow.Get(), u"",
                   {[&](HWND dialog) {
                      TypeCharacter(SearchEdit(dialog), L'\u0414');
                      EXPECT_EQ(panel_.cursor, 5);
                    },
                    [](HWND dialog) { test::PostKey(SearchEdit(dialog), VK_ESCAPE); }}),
            kDialogCancel);
  EXPECT_EQ(panel_.cursor, 5);  // stays where the search left it

  EXPECT_EQ(Search(panelWindow.Get(), u"n", {[](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            kDialogCancel);
}

TEST_F(WineQuickSearch, SitsCentredOverTheLowerEdgeOfPanelsOfAnySize) {
  for (RECT place : {RECT{40, 60, 541, 461}, RECT{700, 10, 900, 910}}) {
    test::StandInWindow panelWindow(place.left, place.top, place.right - place.left, place.bottom - place.top, false);
    Search(panelWindow.Get(), u"", {[&](HWND dialog) {
             RECT box{};
             ::GetWindowRect(dialog, &box);
             const int width = box.right - box.left, height = box.bottom - box.top;
             EXPECT_EQ(box.left, place.left + (place.right - place.left) / 2 - width / 2);
             EXPECT_EQ(box.top, place.bottom - height + 6);
             EXPECT_EQ(::GetWindow(dialog, GW_OWNER), panelWindow.Get());
             test::PostKey(SearchEdit(dialog), VK_ESCAPE);
           }});
  }
}

}  // namespace
}  // namespace nrv
