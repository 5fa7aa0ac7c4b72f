#pragma once

#include <cstddef>
#include <string>
#include <vector>

class Control;

// A small modal dialog that lists the columns of a multi-column log, each
// with its name and first values, and asks for one column for the pane, or
// for the panes to be filled.
class ColumnPickerDialog {
public:
  struct TColumn {
    std::string Name;
    std::string FirstValues;
  };

  std::string Caption;
  std::vector<TColumn> Columns;
  // The column selected when the dialog opens; after Execute returned
  // true, the one chosen.
  std::size_t Selected = 0;
  // After Execute returned true: "Fill the panes" was pressed, not OK.
  bool FillPanes = false;

  // Runs the dialog modally; true on OK or "Fill the panes".
  bool Execute(Control* owner);
};
