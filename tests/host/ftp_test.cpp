// The portable side of FTP panels: the URL field, the paths of a transfer, how a listing becomes
// rows, what the progress window shows and how often, and the saved servers.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include "core/formatting.h"
#include "core/listing.h"
#include "core/panel_item.h"
#include "ftp/connection_properties.h"
#include "ftp/ftp_address.h"
#include "ftp/ftp_jobs.h"
#include "ftp/machine_listing.h"
#include "ftp/remote_listing.h"
#include "ftp/saved_urls.h"
#include "ftp/transfer_progress.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"

namespace nrv {
namespace {

using test::Names;

FtpAddressParse Parse(TextView field) { return ParseUrlField(field); }

TEST(FtpUrlField, BareHostAndHostWithPort) {
  FtpAddressParse parsed = Parse(u"ftp.example.org");
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.address.host, u"ftp.example.org");
  EXPECT_EQ(parsed.address.port, 21);

  parsed = Parse(u"  127.0.0.1:2121 ");
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.address.host, u"127.0.0.1");
  EXPECT_EQ(parsed.address.port, 2121);

  for (const char16_t* edge : {u"h:1", u"h:65535", u"h:00021"}) EXPECT_TRUE(Parse(edge).ok) << ToUtf8(edge);
  EXPECT_EQ(Parse(u"h:00021").address.port, 21);

  parsed = Parse(u"[::1]:990");
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.address.host, u"::1");
  EXPECT_EQ(parsed.address.port, 990);
  EXPECT_EQ(AddressText(parsed.address), u"[::1]:990");
  EXPECT_EQ(Parse(u"[::1]").address.port, 21);
  // Unbracketed colons are an address of their own, never a port.
  EXPECT_EQ(Parse(u"fe80::1").address.host, u"fe80::1");
  EXPECT_EQ(Parse(u"fe80::1").address.port, 21);
}

TEST(FtpUrlField, PortsOutsideTheRangeAreRefusedWithTheReason) {
  for (const char16_t* bad : {u"h:0", u"h:65536", u"h:99999999999999999999", u"h:", u":21", u"[::1]:0", u"[::1"}) {
    const FtpAddressParse parsed = Parse(bad);
    EXPECT_FALSE(parsed.ok) << ToUtf8(bad);
    EXPECT_FALSE(parsed.message.empty()) << ToUtf8(bad);
  }
  EXPECT_NE(Parse(u"h:70000").message.find(u"1 to 65535"), Text::npos);
  EXPECT_FALSE(Parse(u"   ").ok);
  EXPECT_FALSE(Parse(Text(300, u'a')).ok);
}

TEST(FtpUrlField, SchemesAndPathsGoToTheServerUnchanged) {
  // These fail when the connection is tried, not here: the field holds a bare host.
  for (const char16_t* odd : {u"ftp://host/path", u"host/pub", u"user@host", u"host:ftp"}) {
    const FtpAddressParse parsed = Parse(odd);
    ASSERT_TRUE(parsed.ok) << ToUtf8(odd);
    EXPECT_EQ(parsed.address.host, odd);
    EXPECT_EQ(parsed.address.port, 21);
  }
}

// The title names the server as it was typed, then the remote folder.
TEST(FtpUrlField, TitleNamesTheServerBeforeTheFolder) {
  Panel panel;
  panel.ftp = 1;
  panel.ftpCurrentDir = u"/pub/linux";
  EXPECT_EQ(TitleText(panel, LocationText(Parse(u"ftp.example.org").address)), u" ftp.example.org/pub/linux ");
  EXPECT_EQ(TitleText(panel, LocationText(Parse(u"127.0.0.1:2121").address)), u" 127.0.0.1:2121/pub/linux ");
  panel.ftpCurrentDir = u"/";
  EXPECT_EQ(TitleText(panel, LocationText(Parse(u"h:21").address)), u" h/ ");
  EXPECT_EQ(TitleText(panel, LocationText(Parse(u"[::1]").address)), u" [::1]:21/ ");
}

TEST(FtpPaths, JoinsAndParents) {
  EXPECT_EQ(RemoteJoin(u"/", u"a b"), u"/a b");
  EXPECT_EQ(RemoteJoin(u"/pub/linux", u"x"), u"/pub/linux/x");
  EXPECT_EQ(LocalJoin(u"C:\\", u"x"), u"C:\\x");
  EXPECT_EQ(LocalJoin(u"C:\\dl", u"x"), u"C:\\dl\\x");
  EXPECT_EQ(LocalJoin(u"C:\\dl\\", u"x"), u"C:\\dl\\x");

  EXPECT_EQ(RemoteParent(u"/pub/linux"), u"/pub");
  EXPECT_EQ(RemoteParent(u"/pub"), u"/");
  EXPECT_EQ(RemoteParent(u"/"), u"/");
  EXPECT_EQ(RemoteParent(u"/pub/"), u"/");

  // A dropped connection is rebuilt from the folder shown and the folder asked for.
  EXPECT_EQ(RemoteRestoreFolder(u"/pub", u"linux"), u"/pub/linux");
  EXPECT_EQ(RemoteRestoreFolder(u"/", u"pub"), u"/pub");
  EXPECT_EQ(RemoteRestoreFolder(u"/pub/linux", u"/pub"), u"/pub");
  EXPECT_EQ(RemoteRestoreFolder(u"", u"pub"), u"/pub");
  EXPECT_EQ(RemoteRestoreFolder(u"/pub", u""), u"/");
  EXPECT_EQ(RemoteRestoreFolder(u"pub", u"x"), u"/pub/x");
}

PanelItem* Item(const char16_t* name, uint32_t attributes, int64_t size, bool selected = false) {
  PanelItem* item = NewItem(name);
  item->attributes = attributes;
  item->size = size;
  item->selected = selected;
  return item;
}

TEST(FtpJobs, SelectedItemsInOrderOrTheCursorItemNeverTheParent) {
  Panel panel = AttachedPanel();
  ItemList list;
  MakeUpEntry(panel, list);
  Append(list, Item(u"docs", platform::kAttributeDirectory, kFolderSize));
  Append(list, Item(u"b c.bin", platform::kAttributeArchive, 100));
  Append(list, Item(u"z.txt", platform::kAttributeArchive, 5));
  panel.ftpCurrentDir = u"/pub";
  panel.path = u"C:\\";

  panel.cursor = 2;
  std::vector<FtpJob> jobs = BuildJobs(panel, list, true);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].path, u"/pub/b c.bin");
  EXPECT_EQ(jobs[0].name, u"b c.bin");
  EXPECT_EQ(jobs[0].size, 100);
  EXPECT_EQ(BuildJobs(panel, list, false)[0].path, u"C:\\b c.bin");

  panel.cursor = 0;  // ".." alone is nothing to transfer
  EXPECT_TRUE(BuildJobs(panel, list, true).empty());

  At(list, 0).selected = 1;
  At(list, 3).selected = 1;
  At(list, 1).selected = 1;
  panel.selectedFiles = 1;
  panel.selectedFolders = 1;
  jobs = BuildJobs(panel, list, true);
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].path, u"/pub/docs");
  EXPECT_EQ(jobs[1].path, u"/pub/z.txt");
  // Folders count nothing towards the total.
  EXPECT_EQ(TransferTotal(jobs), 5);
  EXPECT_EQ(TransferTotal({}), 1);
  EXPECT_EQ(TransferTotal({FtpJob{u"/e", u"e", 0, 0}}), 1);
}

platform::FindData Entry(const char16_t* name, uint32_t attributes, uint32_t reserved, uint32_t size = 0) {
  platform::FindData data;
  data.name = name;
  data.attributes = attributes;
  data.reserved0 = reserved;
  data.sizeLow = size;
  return data;
}

TEST(RemoteListing, RootHasNoParentOthersStartWithIt) {
  Panel panel = AttachedPanel();
  panel.ftp = 1;
  ItemList list;
  RemoteListing listing;
  BeginRemoteListing(panel, list, u"/");
  AddRemoteEntry(list, Entry(u".", platform::kAttributeDirectory, 0), listing);
  AddRemoteEntry(list, Entry(u"..", platform::kAttributeDirectory, 0), listing);
  AddRemoteEntry(list, Entry(u"b.txt", platform::kAttributeNormal, 0, 7), listing);
  AddRemoteEntry(list, Entry(u"a", platform::kAttributeDirectory, 0), listing);
  EndRemoteListing(panel, list);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"a", u"b.txt"}));
  EXPECT_EQ(panel.fileCount, 1);
  EXPECT_EQ(panel.folderCount, 1);
  EXPECT_EQ(panel.totalBytes, 7);
  EXPECT_EQ(panel.freeBytes, -1);  // no free space on a server

  // An empty sub-folder is the parent entry alone.
  BeginRemoteListing(panel, list, u"/a");
  EndRemoteListing(panel, list);
  EXPECT_EQ(Names(list), std::vector<Text>{u".."});
  EXPECT_TRUE(IsEmptyListingError(0));
  EXPECT_TRUE(IsEmptyListingError(18));
  EXPECT_FALSE(IsEmptyListingError(12110));
}

TEST(RemoteListing, AttributesFromTheReservedWordWhenTheRecordHasNone) {
  Panel panel = AttachedPanel();
  panel.sortMode = kSortUnsorted;
  ItemList list;
  RemoteListing listing;
  BeginRemoteListing(panel, list, u"/x");
  AddRemoteEntry(list, Entry(u"sub", 0, platform::kAttributeDirectory), listing);
  AddRemoteEntry(list, Entry(u"f", 0, platform::kAttributeArchive, 3), listing);
  AddRemoteEntry(list, Entry(u"g", platform::kAttributeReadOnly, platform::kAttributeDirectory, 4), listing);
  EndRemoteListing(panel, list);
  ASSERT_EQ(Names(list), (std::vector<Text>{u"..", u"sub", u"f", u"g"}));
  EXPECT_TRUE(IsFolder(At(list, 1)));
  EXPECT_EQ(At(list, 1).size, kFolderSize);
  EXPECT_EQ(At(list, 2).attributes, platform::kAttributeArchive);
  EXPECT_EQ(At(list, 2).size, 3);
  // A record with attributes keeps them; the reserved word is not a reparse tag here.
  EXPECT_FALSE(IsFolder(At(list, 3)));
  EXPECT_EQ(At(list, 3).reparseTag, 0u);
}

TEST(RemoteListing, TenThousandEntriesArriveSorted) {
  Panel panel = AttachedPanel();
  ItemList list;
  RemoteListing listing;
  BeginRemoteListing(panel, list, u"/big");
  for (int i = 9999; i >= 0; --i) {
    const Text name = u"f" + Ascii(std::to_string(100000 + i));
    platform::FindData data = Entry(u"", platform::kAttributeArchive, 0, 1);
    data.name = name;
    AddRemoteEntry(list, data, listing);
  }
  EndRemoteListing(panel, list);
  ASSERT_EQ(Count(list), 10001);
  EXPECT_EQ(ItemName(At(list, 1)), u"f100000");
  EXPECT_EQ(ItemName(At(list, 10000)), u"f109999");
  EXPECT_EQ(panel.totalBytes, 10000);
}

TEST(TransferProgress, TextAndPercent) {
  EXPECT_EQ(ProgressText(0, 1), u"0");
  EXPECT_EQ(ProgressText(0, 0), u"0");
  EXPECT_EQ(ProgressText(1048576, 2097152), u"1 048 576 of 2 097 152 (50%)");
  EXPECT_EQ(ProgressText(2, 2), u"2 of 2 (100%)");
  EXPECT_EQ(ProgressPercent(1, 3), 33);
  EXPECT_EQ(ProgressPercent(5, 1), 0);
  EXPECT_EQ(ProgressPercent(7, 5), 100);
  // Sizes beyond any disk do not overflow into nonsense.
  EXPECT_NEAR(ProgressPercent(INT64_MAX / 2, INT64_MAX), 50, 1);
  EXPECT_EQ(ProgressPercent(int64_t{3} << 50, int64_t{4} << 50), 75);
}

TEST(TransferProgress, AtMostTwentyTimesASecondWhateverTheBlockCount) {
  ProgressThrottle throttle;
  int shown = 0;
  // 256 MiB in 64 KiB blocks over two seconds.
  for (int block = 0; block < 4096; ++block)
    if (ProgressDue(throttle, 1000 + static_cast<uint64_t>(block) * 2000 / 4096, false)) ++shown;
  EXPECT_GE(shown, 38);
  EXPECT_LE(shown, 41);
  EXPECT_TRUE(ProgressDue(throttle, throttle.lastShownMs, true));  // the end always shows
}

class SavedUrls : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestSettings() = Settings{};
    platform::portable::ResetRegistry();
  }
};

TEST_F(SavedUrls, EntriesRoundTripWithoutThePassword) {
  const SavedUrl url{{u"127.0.0.1", 2121}, u"user@example"};
  EXPECT_EQ(SavedUrlEntry(url), u"user@example@127.0.0.1:2121");
  const auto back = ParseSavedUrl(SavedUrlEntry(url));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->address.host, u"127.0.0.1");
  EXPECT_EQ(back->address.port, 2121);
  EXPECT_EQ(back->login, u"user@example");
  EXPECT_EQ(ParseSavedUrl(u"[::1]:21")->address.host, u"::1");
  for (const char16_t* bad : {u"", u"host", u"a@host:0", u"a@", u"host:ftp"})
    EXPECT_FALSE(ParseSavedUrl(bad).has_value()) << ToUtf8(bad);
}

TEST_F(SavedUrls, NewestFirstWithoutDuplicates) {
  const Settings& settings = test::TestSettings();
  SaveUrl(settings, {{u"a", 21}, u"anonymous"});
  SaveUrl(settings, {{u"b", 2121}, u"bob"});
  SaveUrl(settings, {{u"a", 21}, u"anonymous"});
  const std::vector<SavedUrl> urls = SavedUrlsNewestFirst();
  ASSERT_EQ(urls.size(), 2u);
  EXPECT_EQ(urls[0].address.host, u"a");
  EXPECT_EQ(urls[0].login, u"anonymous");
  EXPECT_EQ(urls[1].address.port, 2121);
  EXPECT_EQ(urls[1].login, u"bob");
}

TEST_F(SavedUrls, PropertiesRoundTripPerServerAndGoWithIt) {
  const Settings& settings = test::TestSettings();
  const SavedUrl bob{{u"b", 2121}, u"bob"};
  const SavedUrl anonymous{{u"b", 2121}, u"anonymous"};
  SaveUrl(settings, bob);
  SaveUrl(settings, anonymous);
  EXPECT_TRUE(PropertiesOf(SavedUrlEntry(bob)).passive);  // never set: the defaults
  EXPECT_EQ(PropertiesOf(SavedUrlEntry(bob)).startFolder, u"");

  ASSERT_EQ(SaveProperties(SavedUrlEntry(bob), {false, u"/pub/in box"}), 0);
  ConnectionProperties back = PropertiesOf(SavedUrlEntry(bob));
  EXPECT_FALSE(back.passive);
  EXPECT_EQ(back.startFolder, u"/pub/in box");
  EXPECT_TRUE(PropertiesOf(SavedUrlEntry(anonymous)).passive);  // another login, another server

  // Saving more servers than the list keeps drops the properties of the one that fell out.
  test::TestSettings().HistoryCount = 2;
  SaveUrl(settings, {{u"c", 21}, u"carol"});
  EXPECT_TRUE(PropertiesOf(SavedUrlEntry(bob)).passive);
  EXPECT_EQ(PropertiesOf(SavedUrlEntry(bob)).startFolder, u"");
}

TEST(ConnectionPropertiesText, StoredFormAndTypedFolders) {
  EXPECT_EQ(PropertiesText({true, u"/pub"}), u"passive;/pub");
  EXPECT_EQ(PropertiesText({false, u""}), u"active;");
  EXPECT_FALSE(ParseProperties(u"active;").value().passive);
  for (const char16_t* bad : {u"", u"passive", u"fast;/pub", u";/"})
    EXPECT_FALSE(ParseProperties(bad).has_value()) << ToUtf8(bad);
  EXPECT_EQ(StartFolderOf(u" pub/linux/ "), u"/pub/linux");
  EXPECT_EQ(StartFolderOf(u"/"), u"");
  EXPECT_EQ(StartFolderOf(u"//"), u"");
  EXPECT_EQ(StartFolderOf(Text(kRemoteFolderLength, u'a')), u"");
}

TEST(MachineListing, NamesKeepTheirBlanksAndFactsTheirMeaning) {
  auto entry = ParseMachineLine("type=file;size=6;modify=20261206222000;perm=r; a small.txt\r");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->name, "a small.txt");
  EXPECT_EQ(entry->size, 6u);
  EXPECT_EQ(entry->attributes, platform::kAttributeNormal);
  entry = ParseMachineLine("Type=DIR;Modify=19700101000000; sub folder ");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->name, "sub folder ");  // everything after the first blank is the name
  EXPECT_EQ(entry->attributes, platform::kAttributeDirectory);
  EXPECT_EQ(entry->writeTime, 116444736000000000ull);  // 1970 as a FILETIME
  const platform::FindData data = ToFindData(*ParseMachineLine("type=file;size=5000000000; big"), u"big");
  EXPECT_EQ(data.sizeHigh, 1u);
  EXPECT_EQ(data.sizeLow, 705032704u);
  for (const char* skipped : {"type=cdir; /x", "type=pdir; ..", "size=1; nameless-type", "type=file;", "", "type=dir; ."})
    EXPECT_FALSE(ParseMachineLine(skipped).has_value()) << skipped;
}

TEST(MachineListing, TimesPassiveRepliesAndPortCommands) {
  EXPECT_EQ(MachineTimeToFileTime("16010101000000"), 0u);
  EXPECT_EQ(MachineTimeToFileTime("20000301000000.123"), 125963424000000000ull);
  EXPECT_EQ(MachineTimeToFileTime("2026"), 0u);
  EXPECT_EQ(MachineTimeToFileTime("20261306000000"), 0u);

  auto address = ParsePassiveReply("227 Entering Passive Mode (127,0,0,1,195,80).");
  ASSERT_TRUE(address.has_value());
  EXPECT_EQ(address->host, "127.0.0.1");
  EXPECT_EQ(address->port, 195 * 256 + 80);
  EXPECT_TRUE(ParsePassiveReply("227 =10,1,2,3,0,21").has_value());
  for (const char* bad : {"200 ok", "227 (1,2,3,4,5)", "227 (256,0,0,1,1,1)", "227 (1,2,3,4,0,0)", "227"})
    EXPECT_FALSE(ParsePassiveReply(bad).has_value()) << bad;

  // What PORT names is what a passive reply with the same numbers would.
  EXPECT_EQ(PortCommand(0x7F000001, 195 * 256 + 80), "PORT 127,0,0,1,195,80");
  const auto back = ParsePassiveReply("227 (" + PortCommand(0xC0A80AFE, 65535).substr(5) + ")");
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->host, "192.168.10.254");
  EXPECT_EQ(back->port, 65535);
}

}  // namespace
}  // namespace nrv
