// The command table against the keys, the pane menu and the key tables the
// user reads: the manual page, --help and the README.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/commands/TCommands.h"
#include "gui/Keyboard.h"

namespace {

std::string SourceFile(const std::string& path) {
  std::ifstream in(std::string(LOGVIEWER_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// "Left, Right" names two keys.
std::vector<std::string> KeyNames(const std::string& cell) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t comma; (comma = cell.find(", ", start)) != std::string::npos; start = comma + 2) {
    names.push_back(cell.substr(start, comma - start));
  }
  names.push_back(cell.substr(start));
  return names;
}

// The key names of the first column of the README's key table.
std::set<std::string> ReadmeKeys() {
  std::istringstream readme(SourceFile("README.md"));
  std::set<std::string> keys;
  bool inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line == "### Keys") {
      inTable = true;
    } else if (inTable && line.starts_with("### ")) {
      break;
    } else if (inTable && line.starts_with("| ") && line.find(" | ", 2) != std::string::npos) {
      for (const std::string& name : KeyNames(line.substr(2, line.find(" | ", 2) - 2))) {
        keys.insert(name);
      }
    }
  }
  return keys;
}

TEST(CommandTable, EveryKeyGivesItsOwnCommandAndNoOther) {
  for (const TCommand& command : Commands()) {
    for (const TKeyBinding& key : command.Keys) {
      EXPECT_EQ(CommandForKey(key.Key, key.Shift), &command) << command.KeyName;
    }
  }
  const struct {
    int Key;
    TShiftState Shift;
    const char* Command;  // nullptr: no command
  } presses[] = {
      {'C', ssCtrl, "Ctrl+C"},
      {'C', ssCtrl | ssLeft, "Ctrl+C"},  // a mouse button held does not matter
      {'C', ssCtrl | ssShift, "Ctrl+Shift+C"},
      {'C', 0, "C"},
      {'S', 0, "S"},
      {'S', ssCtrl, "Ctrl+S"},
      {'E', ssCtrl, "Ctrl+E"},
      {'E', ssCtrl | ssShift, nullptr},
      {'E', 0, nullptr},
      {'L', ssShift, nullptr},
      {'O', ssCtrl | ssShift, "Ctrl+Shift+O"},
      {'Q', ssCtrl, "Ctrl+W"},
      {VK_LEFT, ssCtrl | ssShift, "Left, Right"},
      {VK_HOME, ssShift, nullptr},
      {VK_OEM_PLUS, ssShift, "+"},  // + takes Shift on many layouts
      {VK_OEM_PLUS, ssCtrl, nullptr},
      {VK_ESCAPE, 0, "Escape"},
  };
  for (const auto& press : presses) {
    const TCommand* command = CommandForKey(press.Key, press.Shift);
    const auto name = [](const char* text) {
      return text == nullptr ? std::nullopt : std::optional<std::string>(text);
    };
    EXPECT_EQ(name(command == nullptr ? nullptr : command->KeyName), name(press.Command))
        << press.Key << " " << press.Shift;
  }
}

TEST(CommandTable, TheManualPageHelpAndReadmeListEveryCommand) {
  const std::string manual = SourceFile("share/logviewer.1");
  EXPECT_EQ(WithGeneratedKeySection(manual), manual)
      << "the manual page's keys differ from the command table: run build/tools/update-manual-keys share/logviewer.1";
  const std::set<std::string> readme = ReadmeKeys();
  const std::string help = UsageText("README.md");
  for (const TCommand& command : Commands()) {
    for (const std::string& name : KeyNames(command.KeyName)) {
      EXPECT_TRUE(readme.contains(name)) << name << " is missing in the README's key table";
    }
    EXPECT_NE(help.find(std::string(command.KeyName) + " "), std::string::npos) << command.KeyName;
    EXPECT_TRUE(command.Label != nullptr || command.Checked == nullptr)
        << command.KeyName << ": a mode needs a menu entry";
  }
}

}  // namespace
