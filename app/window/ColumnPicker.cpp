#include "app/window/ColumnPicker.h"

#include <algorithm>

#include "app/window/TForm1.h"
#include "gui/ColumnPickerDialog.h"

namespace {

// "800, 810, 805": the column's first values as the log writes them.
std::string FirstValues(const TColumnShape& shape, std::size_t column) {
  std::string values;
  for (const std::vector<std::string>& row : shape.FirstRows) {
    values += (values.empty() ? "" : ", ") + row[column];
  }
  return values;
}

}  // namespace

std::optional<TLogDocument::TColumnChoice> AskColumns(TForm1& form, std::uint8_t pane, const TColumnShape& shape,
                                                      std::size_t offered) {
  ColumnPickerDialog dialog;
  dialog.Caption = "Columns of the log for pane " + std::to_string(pane + 1);
  for (const std::size_t column : shape.DataColumns) {
    dialog.Columns.push_back({shape.Names[column], FirstValues(shape, column)});
  }
  const auto at = std::find(shape.DataColumns.begin(), shape.DataColumns.end(), offered);
  dialog.Selected = static_cast<std::size_t>(at - shape.DataColumns.begin()) % shape.DataColumns.size();
  if (!dialog.Execute(&form)) {
    return std::nullopt;
  }
  if (!dialog.FillPanes) {
    return TLogDocument::TColumnChoice{shape.DataColumns[dialog.Selected]};
  }
  const std::size_t panes = std::min<std::size_t>(TForm1::PaneCount - pane, shape.DataColumns.size());
  return TLogDocument::TColumnChoice(shape.DataColumns.begin(),
                                     shape.DataColumns.begin() + static_cast<std::ptrdiff_t>(panes));
}

void ChooseColumn(TForm1& form, std::uint8_t pane) {
  if (form.Document().ColumnShape(pane) != nullptr) {
    form.OpenLogs(pane, {form.Document().PaneLog(pane).FileName});
  }
}
