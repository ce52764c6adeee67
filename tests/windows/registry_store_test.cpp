#include <gtest/gtest.h>

#include "platform/registry.h"

namespace nrv::platform {
namespace {

TEST(WineRegistry, CreateSetQueryDelete) {
  const Text path = u"Software\\NorvaneTest\\Probe";
  RegistryKey key;
  ASSERT_EQ(CreateUserKey(path, RegistryAccess::Write, key), 0u);
  const uint32_t value = 42;
  ASSERT_EQ(SetValue(key, u"Answer", kRegDword, &value, 4), 0u);
  uint32_t type = 0, size = 4, read = 0;
  ASSERT_EQ(QueryValue(key, u"Answer", &type, &read, &size), 0u);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(read, 42u);
  key.Reset();
  EXPECT_EQ(DeleteUserKey(path), 0u);
  EXPECT_EQ(OpenUserKey(path, RegistryAccess::Read, key), 2u);
}

}  // namespace
}  // namespace nrv::platform
