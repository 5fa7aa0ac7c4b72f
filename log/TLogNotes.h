#pragma once

#include <cstdint>
#include <optional>
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

  // Sample `sample`'s leading field as written: from the stamps when they
  // can write it again, else read from the file.
  std::optional<std::string> Field(std::uint64_t sample) const {
    if (std::optional<std::string> text = Times.Text(sample)) {
      return text;
    }
    return Leading.Field(sample);
  }

  // Nothing known yet of the log in `fileName`, whose fields end at
  // `delimiter`.
  void Reset(std::string fileName, char delimiter = ',') {
    Words.Clear();
    Times.Clear();
    Leading.Reset(std::move(fileName), delimiter);
  }
};
