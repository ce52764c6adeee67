#include <gtest/gtest.h>

#include <cstring>

#include "platform/errors.h"
#include "platform/registry.h"

namespace nrv::platform {
namespace {

const Text kProbe = u"Software\\NorvaneTest\\Probe";

TEST(WineRegistry, ValuesKeepTypeSizeAndWriteOrder) {
  DeleteUserKey(kProbe);
  {
    RegistryKey key;
    ASSERT_EQ(CreateUserKey(kProbe, RegistryAccess::Write, key), 0u);
    const uint32_t number = 42;
    const unsigned char flag = 1;
    // The registry counts a forgotten terminator when a zero follows the data; a text stored
    // without one must not be followed by a zero.
    const char16_t unterminated[] = u"C:\\x?";
    const Text terminated = u"C:\\x";
    ASSERT_EQ(SetValue(key, u"Zeta", kRegDword, &number, 4), 0u);
    ASSERT_EQ(SetValue(key, u"Alpha", kRegBinary, &flag, 1), 0u);
    ASSERT_EQ(SetValue(key, u"Mid", kRegSz, unterminated, 8), 0u);
    ASSERT_EQ(SetValue(key, u"Padded", kRegSz, terminated.c_str(), 8), 0u);
  }
  RegistryKey key;
  ASSERT_EQ(OpenUserKey(kProbe, RegistryAccess::Read, key), 0u);
  uint32_t count = 0;
  ASSERT_EQ(CountValues(key, &count), 0u);
  EXPECT_EQ(count, 4u);
  // Wine enumerates values by name, not in the order written.
  const Text expected[] = {u"Alpha", u"Mid", u"Padded", u"Zeta"};
  for (uint32_t i = 0; i < 4; ++i) {
    Text name;
    uint32_t type = 0, size = 0;
    ASSERT_EQ(EnumValue(key, i, name, &type, nullptr, &size), 0u);
    EXPECT_EQ(name, expected[i]);
  }
  Text name;
  EXPECT_EQ(EnumValue(key, 4, name, nullptr, nullptr, nullptr), kErrorNoMoreItems);

  uint32_t type = 0, size = 0;
  ASSERT_EQ(QueryValue(key, u"Mid", &type, nullptr, &size), 0u);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 8u);  // no terminating zero stored
  ASSERT_EQ(QueryValue(key, u"Padded", &type, nullptr, &size), 0u);
  EXPECT_EQ(size, 10u);
  char16_t small[2];
  size = sizeof(small);
  EXPECT_EQ(QueryValue(key, u"Mid", &type, small, &size), kErrorMoreData);
  EXPECT_EQ(size, 8u);
  unsigned char byte = 0;
  size = 1;
  ASSERT_EQ(QueryValue(key, u"Alpha", &type, &byte, &size), 0u);
  EXPECT_EQ(byte, 1);
  EXPECT_EQ(QueryValue(key, u"Missing", &type, nullptr, &size), kErrorFileNotFound);

  key.Reset();
  EXPECT_EQ(DeleteUserKey(kProbe), 0u);
  EXPECT_EQ(OpenUserKey(kProbe, RegistryAccess::Read, key), kErrorFileNotFound);
  EXPECT_NE(DeleteUserKey(kProbe), 0u);  // deleting again is only an error code
}

TEST(WineRegistry, ReadAccessRefusesWrites) {
  RegistryKey key;
  ASSERT_EQ(CreateUserKey(kProbe, RegistryAccess::Write, key), 0u);
  key.Reset();
  ASSERT_EQ(OpenUserKey(kProbe, RegistryAccess::Read, key), 0u);
  const uint32_t number = 1;
  EXPECT_EQ(SetValue(key, u"X", kRegDword, &number, 4), kErrorAccessDenied);
  key.Reset();
  DeleteUserKey(kProbe);
}

}  // namespace
}  // namespace nrv::platform
