#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/TLoadedFile.h"
#include "log/TLogFileBlocks.h"

class TRegularFileReader;

// The leading fields (time stamps) of a log's samples when every sample
// line has a numeric one. The texts stay in the file: kept are only where
// every LineStartStep-th sample line starts (of the samples whose fields
// are not known elsewhere), and a field is read back from there when it is
// asked for, from the file the load read only: a file replaced or
// rewritten since shows no fields.
class TLeadingFields {
public:
  // A new log whose fields end at `delimiter`: every sample so far had a
  // numeric field, and none came yet.
  void Reset(std::string fileName, char delimiter = ',');
  // The load, or a follow step, read `file` so far.
  void ReadFrom(TLoadedFile file) { file_ = std::move(file); }
  // Sample number `sample`'s line starts at `position`. Marks come in
  // ascending order of samples.
  void Mark(std::uint64_t sample, TLogFilePosition position);
  // A sample line without a numeric leading field came: no field is shown.
  void NoteNotNumeric();
  // The fields of the samples before `sample` are known elsewhere: their
  // marks go, all but the one the samples from `sample` on start from.
  void ForgetBefore(std::uint64_t sample);

  bool Known() const { return numeric_ && !marks_.empty() && file_ && !fileChanged_; }
  // The field of sample number `sample` as written in the log, blanks
  // around it left out; none when the fields are not known, the file cannot
  // be read there any more or is no longer the file loaded.
  std::optional<std::string> Field(std::uint64_t sample) const;
  // A field was asked for and the file was no longer the one loaded.
  bool FileChanged() const { return fileChanged_; }
  // Called when a field asked for finds that first.
  std::function<void()> OnFileChanged;
  std::size_t BytesUsed() const { return marks_.capacity() * sizeof(TMark); }

private:
  struct TMark {
    std::uint64_t Sample = 0;
    TLogFilePosition Position;
  };

  // A text read from a mark on.
  struct TRead {
    std::uint64_t Offset = 0;
    std::string Text;
  };

  // How many marks stand at or before sample `sample`.
  std::size_t MarksUpTo(std::uint64_t sample) const;
  // The line of sample `sample` in `text`, read from `mark` on, when it
  // holds the line.
  std::optional<std::string_view> LineIn(std::string_view text, const TMark& mark, std::uint64_t sample,
                                         bool wholeFile) const;
  std::optional<std::string> FieldIn(const TRegularFileReader& file, const TMark& mark, std::uint64_t sample) const;
  void NoteFileChanged() const;

  std::string fileName_;
  char delimiter_ = ',';
  std::optional<TLoadedFile> file_;
  mutable bool fileChanged_ = false;
  bool numeric_ = true;
  std::vector<TMark> marks_;
  // The last texts read, the newest last: a hover asks for the same lines
  // at every paint, and for the lines beside them next.
  mutable std::vector<TRead> reads_;
};

// `to` minus `from`, two numeric leading fields, written with as many
// decimals as the finer of them ("12.40" minus "0.1" is "12.30") and with
// their decimal comma if they have one; none when either is no number.
std::optional<std::string> FieldDifference(std::string_view from, std::string_view to);
