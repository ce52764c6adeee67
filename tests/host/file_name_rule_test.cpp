// The one name rule that every name from outside passes before it touches a path.
#include <gtest/gtest.h>

#include "core/file_names.h"
#include "platform/text.h"
#include "support/name_rule_cases.h"

namespace nrv {
namespace {

TEST(FileNameRule, EveryHostileNameIsRefusedForItsReason) {
  for (const auto& [name, fault] : test::HostileNameCases()) {
    EXPECT_EQ(CheckFileName(name), fault) << ToUtf8(name);
    EXPECT_FALSE(IsOneFileName(name)) << ToUtf8(name);
    EXPECT_FALSE(NameFaultText(fault).empty());
  }
}

TEST(FileNameRule, OrdinaryNamesPass) {
  for (const Text& name : test::OrdinaryNames()) EXPECT_TRUE(IsOneFileName(name)) << ToUtf8(name);
}

}  // namespace
}  // namespace nrv
