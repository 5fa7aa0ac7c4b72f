#pragma once

#include <cstdint>
#include <optional>

#include "app/document/TLogDocument.h"

class TForm1;

// The column picker for a multi-column log opened into the pane: the
// columns a pane may show, `offered` preselected. One column for the pane,
// or with "Fill the panes" the first columns for the pane and the ones
// below it; none when the user cancelled.
std::optional<TLogDocument::TColumnChoice> AskColumns(TForm1& form, std::uint8_t pane, const TColumnShape& shape,
                                                      std::size_t offered);

// The picker for the pane's multi-column log again, another column offered.
void ChooseColumn(TForm1& form, std::uint8_t pane);
