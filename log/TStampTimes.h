#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A time stamp as written, read exactly: Mantissa / 10^Decimals seconds.
struct TStamp {
  std::int64_t Mantissa = 0;
  std::uint8_t Decimals = 0;

  bool operator==(const TStamp&) const = default;
};

// Stamps keep at most this many decimals, and mantissas under 2^53, so that
// a stamp's seconds are its text's number correctly rounded.
inline constexpr std::uint8_t MaxStampDecimals = 15;

// A leading field as a time stamp: seconds written as a plain decimal
// number ("12.5", "-0.25"), or a clock time "hh:mm:ss" with decimals after
// "." or "," ("12:00:40.5"); blanks around it allowed. None for anything
// else, and for numbers an exact stamp cannot hold (exponents, too many
// digits).
std::optional<TStamp> ParseStamp(std::string_view field);

// How a stamp's field was written, as far as writing it again goes.
struct TStampForm {
  bool Clock = false;
  // Written plainly: no blanks, no "+", no leading zeros, a digit before
  // the decimal mark, no "-" before zero; a clock's hours and minutes in two
  // digits.
  bool Plain = false;
  char Mark = 0;  // its decimal mark, none without decimals
};
// ParseStamp, telling also how the field was written.
std::optional<TStamp> ParseStamp(std::string_view field, TStampForm& form);
// Whether the field is written as a clock time.
bool IsClockStamp(std::string_view field);

// The stamp's seconds, the nearest double to its exact value.
double StampSeconds(TStamp stamp);

// How a log's stamps are written, so that their texts can be written again
// from their values alone: all plainly, of one kind, with as many decimals
// and the same decimal mark.
class TStampSpelling {
public:
  // A field written as `form` was read as `stamp`. Called for every line
  // of a load, so inline.
  void Note(TStamp stamp, TStampForm form) {
    if (!seen_) {
      seen_ = true;
      clock_ = form.Clock;
      decimals_ = stamp.Decimals;
      mark_ = form.Mark;
    }
    plain_ = plain_ && form.Plain && form.Clock == clock_ && stamp.Decimals == decimals_ && form.Mark == mark_;
  }
  // A stamp that was not noted: its text is not known.
  void NoteUnknown() { plain_ = false; }
  // The stamps `later` noted came after these ones.
  void Take(const TStampSpelling& later);
  // Every stamp noted so far can be written again.
  bool Plain() const { return plain_; }
  // `stamp`, one of the stamps noted, as it was written.
  std::string Written(TStamp stamp) const;

private:
  bool seen_ = false;
  bool plain_ = true;
  bool clock_ = false;
  char mark_ = 0;  // none while no stamp had decimals
  std::uint8_t decimals_ = 0;
};

// The time stamps of a log's samples in seconds, kept exactly. A regularly
// stamped log (each step the one before, give or take a little jitter)
// costs well under a byte a sample: blocks of samples keep a first stamp
// and a step, and each sample only how far it lies off that line, in as few
// bytes as the block needs, at most 8.
class TStampTimes {
public:
  static constexpr std::size_t BlockSize = 4096;

  // A new log: no samples yet, and every sample's stamp known so far.
  void Clear();
  // The next sample's stamp; none when its line has no stamp, after which
  // the log's stamps are not known.
  void Append(std::optional<TStamp> stamp);
  // The next sample is a gap (a line skipped as no sample): its stamp, when
  // it has one, or the one before's.
  void AppendGap(std::optional<TStamp> stamp);
  // The stamps appended next were written as `spelling` tells.
  void Spelled(const TStampSpelling& spelling);

  // Takes on the stamps `leader` holds beyond this one's, where this one's
  // are its first ones (another column of the same log, read as far).
  void CatchUp(const TStampTimes& leader);

  // Every sample so far had a stamp, and there is at least one.
  bool Known() const { return known_ && count_ > 0; }
  // No sample so far lacked a stamp.
  bool KnownSoFar() const { return known_; }
  // Each stamp is at least the one before (a clock that wrapped at midnight
  // or was reset is not).
  bool Increasing() const { return increasing_; }
  std::size_t Count() const { return count_; }

  // Sample `sample`'s stamp in seconds; the stamps must be known.
  double Seconds(std::size_t sample) const;
  // The sample whose stamp is nearest `seconds` (the earlier on a tie); the
  // stamps must be known and increasing.
  std::size_t NearestSample(double seconds) const;
  // How many samples from the first have stamps whose texts Text writes
  // again: all while every stamp was written plainly.
  std::size_t WrittenCount() const { return !Known() ? 0 : spelling_.Plain() ? count_ : writtenCount_; }
  // Sample `sample`'s stamp as its line wrote it, without the file; none
  // for samples from WrittenCount() on, and where the sample's block keeps
  // doubles.
  std::optional<std::string> Text(std::size_t sample) const;

  std::size_t BytesUsed() const;

private:
  struct TBlock {
    std::int64_t First = 0;  // the first sample's mantissa
    std::int64_t Step = 0;   // from one sample's mantissa to the next's
    std::uint8_t Decimals = 0;
    // Bytes a sample's offset off the line takes: 0, 1, 2, 4 or 8.
    std::uint8_t Width = 0;
    // The block keeps its samples' seconds as doubles instead, 8 bytes each:
    // their mantissas at one number of decimals would not be exact.
    bool Doubles = false;
    std::unique_ptr<std::uint8_t[]> Bytes;
  };

  void Push(TStamp stamp);
  // Sample `sample`'s stamp exactly; none when its block keeps doubles.
  std::optional<TStamp> ExactStamp(std::size_t sample) const;
  void SealPending();
  static std::optional<TBlock> AlongLine(const std::vector<TStamp>& stamps);
  static TBlock AsDoubles(const std::vector<TStamp>& stamps);
  static TBlock CopyOf(const TBlock& block);

  std::size_t count_ = 0;
  bool known_ = true;
  bool increasing_ = true;
  TStampSpelling spelling_;
  std::size_t writtenCount_ = 0;  // once a stamp was not written plainly
  std::optional<TStamp> last_;
  std::vector<TBlock> blocks_;
  // The samples after the last whole block.
  std::vector<TStamp> pending_;
};
