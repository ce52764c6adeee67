// Which files entering opens as archives, decided from their names and first bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "archive/archive_format.h"
#include "archive/property_text.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Padded(Bytes bytes, size_t size = 20) {
  bytes.resize(std::max(size, bytes.size()));
  return bytes;
}

int32_t Leading(TextView name, const Bytes& bytes) { return TestLeadingBytes(name, bytes.data(), bytes.size()); }

TEST(ArchiveSignature, EachSignatureGivesItsFormatAndTheFirstMatchWins) {
  EXPECT_EQ(Leading(u"a.zip", Padded({0x50, 0x4B, 0x03, 0x04})), kFormatZip);
  EXPECT_EQ(Leading(u"a", {0x50, 0x4B, 0x03, 0x04}), kFormatZip);  // four bytes are enough
  EXPECT_EQ(Leading(u"a", {0x50, 0x4B, 0x03}), kFormatNone);
  EXPECT_EQ(Leading(u"a.rar", Padded({0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00})), kFormatRar);
  // The newer Rar signature is not known.
  EXPECT_EQ(Leading(u"a.rar", Padded({0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00})), kFormatNone);
  Bytes arj = Padded({0x60, 0xEA});
  arj[10] = 2;
  EXPECT_EQ(Leading(u"a.arj", arj), kFormatArj);
  arj[10] = 3;
  EXPECT_EQ(Leading(u"a.arj", arj), kFormatNone);
  arj[10] = 2;
  EXPECT_EQ(TestLeadingBytes(u"a.arj", arj.data(), 10), kFormatNone);  // byte 10 not read
  EXPECT_EQ(Leading(u"a.bz2", Padded({0x42, 0x5A, 0x68})), kFormatBZip2);
  EXPECT_EQ(Leading(u"a.7z", Padded({0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C})), kFormat7z);
  // Below ten bytes only Zip and Rar are tested.
  EXPECT_EQ(Leading(u"a.7z", {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C, 0, 0, 0}), kFormatNone);
  EXPECT_EQ(Leading(u"a", {}), kFormatNone);
}

TEST(ArchiveSignature, GzipIsATarOnlyWhenTheNameSaysSoInOneOfThreeSpellings) {
  const Bytes gzip = Padded({0x1F, 0x8B, 0x08});
  EXPECT_EQ(Leading(u"data.tar.gz", gzip), kFormatTarGz);
  EXPECT_EQ(Leading(u"DATA.TAR.GZ", gzip), kFormatTarGz);
  EXPECT_EQ(Leading(u"Data.Tar.gz", gzip), kFormatTarGz);
  EXPECT_EQ(Leading(u"backup.tar.2026.gz", gzip), kFormatTarGz);  // anywhere in the name
  EXPECT_EQ(Leading(u"data.tAr.gz", gzip), kFormatGZip);
  EXPECT_EQ(Leading(u"data.tgz", gzip), kFormatGZip);
  EXPECT_EQ(Leading(u"data.gz", gzip), kFormatGZip);
  EXPECT_FALSE(EntersArchive(kFormatGZip));
  EXPECT_TRUE(EntersArchive(kFormatTarGz));
}

TEST(ArchiveSignature, ClassBytesCoverTheReadableFormatsOnly) {
  EXPECT_EQ(ReadClassByte(kFormatZip), 0x01);
  EXPECT_EQ(ReadClassByte(kFormatTarGz), 0xEF);
  EXPECT_EQ(ReadClassByte(kFormatTar), 0xEE);
  EXPECT_EQ(ReadClassByte(kFormatUdf), 0xE0);
  for (const int32_t unknown : {0, 6, 12, 13, -1}) EXPECT_EQ(ReadClassByte(unknown), -1) << unknown;
}

class ArchiveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
  }
  void TearDown() override { std::filesystem::current_path(previous); }

  ArchiveTest Test(const char16_t* name, const Bytes& bytes, UdfQuestion ask = [] { return false; }) {
    std::ofstream(std::filesystem::path(Text(name)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    PanelItem* item = NewItem(name);
    ArchiveTest result = TestArchiveFile(*item, ask);
    FreeItem(item);
    return result;
  }

  test::TempFolder folder;
  std::filesystem::path previous;
};

TEST_F(ArchiveFileTest, DocumentExtensionsAreNeverArchivesAndAreNotEvenRead) {
  const Bytes zip = Padded({0x50, 0x4B, 0x03, 0x04});
  EXPECT_EQ(Test(u"Report.DOCX", zip).format, kFormatNone);
  EXPECT_EQ(Test(u"book.xlsx", zip).format, kFormatNone);
  EXPECT_EQ(Test(u"macro.XlSm", zip).format, kFormatNone);
  EXPECT_EQ(Test(u"lib.jar", zip).format, kFormatNone);
  EXPECT_EQ(Test(u"Report.zip", zip).format, kFormatZip);
  PanelItem* missing = NewItem(u"missing.docx");
  EXPECT_EQ(TestArchiveFile(*missing).format, kFormatNone);
  FreeItem(missing);
}

TEST_F(ArchiveFileTest, UnreadableAndEmptyFilesGiveMinusOne) {
  PanelItem* missing = NewItem(u"missing.zip");
  const ArchiveTest result = TestArchiveFile(*missing);
  FreeItem(missing);
  EXPECT_EQ(result.format, kArchiveUnreadable);
  EXPECT_EQ(result.errorText, u"Check Arc: Cannot open file \"missing.zip\"");
  EXPECT_EQ(Test(u"empty.zip", {}).format, kArchiveUnreadable);
  EXPECT_TRUE(Test(u"empty.zip", {}).errorText.empty());
  // Short and no signature: nothing to read at 0x8000 either.
  EXPECT_EQ(Test(u"ab", {'a', 'b'}).format, kArchiveUnreadable);
}

TEST_F(ArchiveFileTest, ImagesAskTheUdfQuestionEachTime) {
  Bytes image(0x8000 + 2048, 0);
  const uint8_t cd[] = {0x01, 0x43, 0x44, 0x30, 0x30, 0x31, 0x01};
  std::copy(std::begin(cd), std::end(cd), image.begin() + 0x8000);
  {
    test::MessageCapture capture;  // answers Ok, which is not Yes
    EXPECT_EQ(Test(u"disc.iso", image, AskOpenAsUdf).format, kFormatIso);
    EXPECT_EQ(Test(u"disc.iso", image, AskOpenAsUdf).format, kFormatIso);
    const auto messages = capture.Taken();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, u"Open image as UDF (ISO-13346) file system?");
    EXPECT_EQ(messages[0].caption, u"");
    EXPECT_EQ(messages[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Question);
  }
  EXPECT_EQ(Test(u"disc.iso", image, [] { return true; }).format, kFormatUdf);
  image[0x8000] = 0;
  EXPECT_EQ(Test(u"plain.bin", image).format, kFormatNone);
  // A signature at 0x8000 loses to one at the start.
  std::copy(std::begin(cd), std::end(cd), image.begin() + 0x8000);
  image[0] = 0x50, image[1] = 0x4B, image[2] = 0x03, image[3] = 0x04;
  EXPECT_EQ(Test(u"both.bin", image).format, kFormatZip);
}

TEST(PropertyText, TimesAndNumbers) {
  EXPECT_EQ(FileTimeText(0), u"1601-01-01 00:00:00");
  // 2026-12-06 19:04:23 UTC.
  EXPECT_EQ(FileTimeText((1796583863ull + 11644473600ull) * 10000000ull + 9999999), u"2026-12-06 19:04:23");
  EXPECT_EQ(SignedText(-5), u"-5");
  EXPECT_EQ(UnsignedText(18446744073709551615ull), u"18446744073709551615");
  EXPECT_EQ(BooleanText(true), u"+");
}

}  // namespace
}  // namespace nrv
