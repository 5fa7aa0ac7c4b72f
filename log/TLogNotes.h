#pragma once

#include <string>

#include "log/TLeadingFields.h"
#include "log/TStampTimes.h"
#include "log/TWordSamples.h"

// What a pane knows of its log's samples beside their values: which were
// sensor words, their leading fields as written and as time stamps.
struct TLogNotes {
  TWordSamples Words;
  TLeadingFields Leading;
  TStampTimes Times;

  // Nothing known yet of the log in `fileName`, whose fields end at
  // `delimiter`.
  void Reset(std::string fileName, char delimiter = ',') {
    Words.Clear();
    Times.Clear();
    Leading.Reset(std::move(fileName), delimiter);
  }
};
