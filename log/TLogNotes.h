#pragma once

#include <string>

#include "log/TLeadingFields.h"
#include "log/TWordSamples.h"

// What a pane knows of its log's samples beside their values: which were
// sensor words, and their leading fields.
struct TLogNotes {
  TWordSamples Words;
  TLeadingFields Leading;

  // Nothing known yet of the log in `fileName`.
  void Reset(std::string fileName) {
    Words.Clear();
    Leading.Reset(std::move(fileName));
  }
};
