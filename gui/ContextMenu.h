#pragma once

#include <optional>
#include <string>
#include <vector>

class Control;

// One entry of a context menu: what it does, the key that does the same
// (shown beside it), and for a mode whether it is on.
struct TMenuEntry {
  std::string Text;
  std::string Key;
  bool Checkable = false;
  bool Checked = false;
  bool Enabled = true;
};

// Shows the entries as a menu at (x, y) of the control's client area until
// the user picks one or dismisses it; the index of the entry picked.
std::optional<std::size_t> ShowContextMenu(Control& owner, int x, int y, const std::vector<TMenuEntry>& entries);
