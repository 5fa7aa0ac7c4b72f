#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/TLogFileBlocks.h"

// The leading fields (time stamps) of a log's samples when every sample
// line has a numeric one. The texts stay in the file: kept are only where
// every LineStartStep-th sample line starts, and a field is read back from
// there when it is asked for.
class TLeadingFields {
public:
  // A new log: every sample so far had a numeric field, and none came yet.
  void Reset(std::string fileName);
  // Sample number `sample`'s line starts at `position`. Marks come in
  // ascending order of samples.
  void Mark(std::uint64_t sample, TLogFilePosition position);
  // A sample line without a numeric leading field came: no field is shown.
  void NoteNotNumeric();

  bool Known() const { return numeric_ && !marks_.empty(); }
  // The field of sample number `sample` as written in the log, blanks
  // around it left out; none when the fields are not known or the file
  // cannot be read there any more.
  std::optional<std::string> Field(std::uint64_t sample) const;
  std::size_t BytesUsed() const { return marks_.capacity() * sizeof(TMark); }

private:
  struct TMark {
    std::uint64_t Sample = 0;
    TLogFilePosition Position;
  };

  std::string fileName_;
  bool numeric_ = true;
  std::vector<TMark> marks_;
};

// `to` minus `from`, two numeric leading fields, written with as many
// decimals as the finer of them ("12.40" minus "0.1" is "12.30"); none
// when either is no number.
std::optional<std::string> FieldDifference(std::string_view from, std::string_view to);
