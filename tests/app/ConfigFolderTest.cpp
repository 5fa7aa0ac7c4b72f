#include "app/state/ConfigFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/EnvironmentScope.h"

namespace {

std::string PasswordHome() { return getpwuid(getuid())->pw_dir; }

struct ConfigCase {
  const char* name;
  std::optional<std::string> xdgConfigHome;
  std::optional<std::string> home;
  std::string expected;  // "@" stands for the home folder of the password database
};

class ConfigFolderTable : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigFolderTable, FollowsTheEnvironment) {
  const EnvironmentScope xdg("XDG_CONFIG_HOME", GetParam().xdgConfigHome);
  const EnvironmentScope home("HOME", GetParam().home);
  std::string expected = GetParam().expected;
  if (expected.starts_with('@')) {
    expected.replace(0, 1, PasswordHome());
  }
  EXPECT_EQ(ConfigFolder(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ConfigFolderTable,
    testing::Values(ConfigCase{"XdgAbsolute", "/xdg", "/home/u", "/xdg/logviewer/"},
                    ConfigCase{"XdgRelativeIgnored", "xdg", "/home/u", "/home/u/.config/logviewer/"},
                    ConfigCase{"XdgEmptyIgnored", "", "/home/u", "/home/u/.config/logviewer/"},
                    ConfigCase{"XdgUnset", std::nullopt, "/home/u", "/home/u/.config/logviewer/"},
                    ConfigCase{"HomeUnsetTakesThePasswordDatabase", std::nullopt, std::nullopt, "@/.config/logviewer/"},
                    ConfigCase{"HomeEmptyTakesThePasswordDatabase", std::nullopt, "", "@/.config/logviewer/"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
