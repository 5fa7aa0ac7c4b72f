#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"

using Texts = std::vector<std::string>;

// The four panes' titles, top down.
inline Texts PaneTitles(TForm1& form) {
  Texts titles;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    titles.push_back(form.PaneChart(pane).Title().Text().at(0));
  }
  return titles;
}

// The messages the window has shown, in order.
inline Texts MessageTexts(const DialogScript& script) {
  Texts texts;
  for (const DialogScript::Message& message : script.Messages) {
    texts.push_back(message.Text);
  }
  return texts;
}
