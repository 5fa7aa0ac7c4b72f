#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gui/Mouse.h"

class TForm1;

// Where a command is given: by a key (no pane: the readout's pane, if
// any), or from the menu of a pane opened at a pixel column.
struct TCommandPlace {
  std::optional<std::uint8_t> Pane;
  int Column = 0;
  // The key pressed, for the commands whose keys differ in what they do.
  int Key = 0;
  TShiftState Shift = 0;
};

// A key that gives a command: pressed while (shift & Mask) == Shift.
struct TKeyBinding {
  int Key = 0;
  TShiftState Mask = ~TShiftState{0};
  TShiftState Shift = 0;
};

// One thing the user can do with a key, and mostly from the pane menu too.
struct TCommand {
  const char* Label;    // the pane menu's entry; nullptr: the key only
  const char* KeyName;  // as the menu and the key tables show it
  std::vector<TKeyBinding> Keys;
  const char* Help;  // one line of the key tables of --help and the manual page
  // A mode shows its check mark; nullptr for none.
  bool (*Checked)(const TForm1& form);
  // Offered on the pane; nullptr: always.
  bool (*Enabled)(const TForm1& form, std::uint8_t pane);
  void (*Run)(TForm1& form, const TCommandPlace& place);
};

// Every command, in the pane menu's order, the keys-only ones last.
const std::vector<TCommand>& Commands();
// The command the key gives, if any.
const TCommand* CommandForKey(int key, TShiftState shift);

// Whether a key may give the command now: a mode always; any other when
// it is offered on the readout's pane, or with no readout on some pane, as
// the pane menu would offer it.
bool EnabledForKey(const TCommand& command, const TForm1& form);

// The key table of --help: a line a command.
std::string KeyTableText();
// The key table of the manual page, as roff paragraphs.
std::string KeyTableRoff();
// The manual page (roff) with its KEYS section made from the command
// table; the page as it is when it has no such section.
std::string WithGeneratedKeySection(const std::string& manual);
