#include "log/TStampTimes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr std::int64_t kMantissaLimit = std::int64_t{1} << 53;

constexpr std::array<std::int64_t, MaxStampDecimals + 1> kPowers = [] {
  std::array<std::int64_t, MaxStampDecimals + 1> powers{};
  std::int64_t power = 1;
  for (std::int64_t& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view field) {
  while (!field.empty() && field.front() == ' ') {
    field.remove_prefix(1);
  }
  while (!field.empty() && field.back() == ' ') {
    field.remove_suffix(1);
  }
  return field;
}

// Reads the digits at the front of `text` onto `mantissa`; false when there
// are none or the mantissa grows too big to be exact. Walked with a pointer
// and a local, which stay in registers: many stamps pass here.
bool ReadDigits(std::string_view& text, std::int64_t& mantissa, std::size_t& count) {
  const char* at = text.data();
  const char* const end = at + text.size();
  std::int64_t read = mantissa;
  while (at != end && IsDigit(*at)) {
    read = read * 10 + (*at - '0');
    if (read >= kMantissaLimit) {
      return false;
    }
    ++at;
  }
  count = static_cast<std::size_t>(at - text.data());
  text.remove_prefix(count);
  mantissa = read;
  return count > 0;
}

// A whole number of at most two digits below `limit`, then `:`.
bool ReadClockPart(std::string_view& text, std::int64_t limit, std::int64_t& part) {
  part = 0;
  std::size_t count = 0;
  if (!ReadDigits(text, part, count) || count > 2 || part >= limit || text.empty() || text.front() != ':') {
    return false;
  }
  text.remove_prefix(1);
  return true;
}

// Seconds with optional decimals after "." or ",", onto `mantissa`, which
// holds the whole seconds before them.
std::optional<TStamp> ReadSeconds(std::string_view text, std::int64_t mantissa, bool clock) {
  std::size_t whole = 0;
  const bool hasWhole = ReadDigits(text, mantissa, whole);
  if (clock && (whole != 2 || mantissa % 100 >= 60)) {
    return std::nullopt;
  }
  std::size_t decimals = 0;
  if (!text.empty() && (text.front() == '.' || (clock && text.front() == ','))) {
    text.remove_prefix(1);
    if (!ReadDigits(text, mantissa, decimals) && !hasWhole) {
      return std::nullopt;
    }
  } else if (!hasWhole) {
    return std::nullopt;
  }
  if (!text.empty() || decimals > MaxStampDecimals) {
    return std::nullopt;
  }
  return TStamp{mantissa, static_cast<std::uint8_t>(decimals)};
}

std::optional<TStamp> ReadClock(std::string_view text) {
  std::int64_t hours = 0;
  std::int64_t minutes = 0;
  if (!ReadClockPart(text, 100, hours) || !ReadClockPart(text, 60, minutes)) {
    return std::nullopt;
  }
  // The seconds' two digits go onto the minutes: 100 would be too many.
  const std::optional<TStamp> seconds = ReadSeconds(text, 0, true);
  if (!seconds) {
    return std::nullopt;
  }
  const std::int64_t before = (hours * 3600 + minutes * 60) * kPowers[seconds->Decimals];
  return TStamp{before + seconds->Mantissa, seconds->Decimals};
}

// The mantissa written with `decimals` decimals, none when it would not be
// exact.
std::optional<std::int64_t> Rescaled(TStamp stamp, std::uint8_t decimals) {
  const std::int64_t factor = kPowers[decimals - stamp.Decimals];
  if (std::abs(stamp.Mantissa) >= kMantissaLimit / factor) {
    return std::nullopt;
  }
  return stamp.Mantissa * factor;
}

std::uint8_t WidthFor(std::int64_t offset) {
  if (offset == 0) {
    return 0;
  }
  if (offset >= std::numeric_limits<std::int8_t>::min() && offset <= std::numeric_limits<std::int8_t>::max()) {
    return 1;
  }
  if (offset >= std::numeric_limits<std::int16_t>::min() && offset <= std::numeric_limits<std::int16_t>::max()) {
    return 2;
  }
  if (offset >= std::numeric_limits<std::int32_t>::min() && offset <= std::numeric_limits<std::int32_t>::max()) {
    return 4;
  }
  return sizeof(std::int64_t);
}

template <class TInt>
std::int64_t Load(const std::uint8_t* at) {
  TInt value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <class TInt>
void Store(std::uint8_t* at, std::int64_t offset) {
  const auto value = static_cast<TInt>(offset);
  std::memcpy(at, &value, sizeof value);
}

// Stamps with as many decimals compare by their mantissas first, sparing
// the divisions in the common case of a stamp after the one before.
bool Earlier(TStamp stamp, TStamp before) {
  if (stamp.Decimals == before.Decimals && stamp.Mantissa >= before.Mantissa) {
    return false;
  }
  return StampSeconds(stamp) < StampSeconds(before);
}

// How `field`, without blanks `trimmed`, was written as `stamp`.
TStampForm FormOf(std::string_view field, std::string_view trimmed, TStamp stamp, bool clock) {
  TStampForm form{clock, false, 0};
  std::string_view whole = trimmed;
  if (stamp.Decimals > 0) {
    if (trimmed.size() < stamp.Decimals + std::size_t{2}) {
      return form;
    }
    form.Mark = trimmed[trimmed.size() - stamp.Decimals - 1];
    whole = trimmed.substr(0, trimmed.size() - stamp.Decimals - 1);
  }
  if (trimmed.size() != field.size()) {
    return form;
  }
  if (clock) {
    form.Plain = whole.size() == 8 && whole[2] == ':' && whole[5] == ':';
    return form;
  }
  if (!whole.empty() && whole.front() == '-' && stamp.Mantissa != 0) {
    whole.remove_prefix(1);
  }
  form.Plain =
      !whole.empty() && IsDigit(whole.front()) && IsDigit(whole.back()) && (whole.front() != '0' || whole.size() == 1);
  return form;
}

// At least `width` digits of `number`, zeros before.
void AppendDigits(std::string& text, std::int64_t number, std::size_t width) {
  const std::string digits = std::to_string(number);
  text.append(width > digits.size() ? width - digits.size() : 0, '0');
  text += digits;
}

// The stamp most logs write on every line, digits with an optional point
// and decimals, read in one pass; false for anything else, which the general
// reading takes. Fifteen digits stay below 2^53.
bool ReadPlainNumber(std::string_view field, TStamp& stamp, TStampForm& form) {
  constexpr std::size_t kMostDigits = 15;
  const char* at = field.data();
  const char* const end = at + field.size();
  std::int64_t mantissa = 0;
  std::size_t digits = 0;
  // Reads the digits from `at` on; false past the most a plain one holds.
  const auto readDigits = [&] {
    for (; at != end && IsDigit(*at); ++at) {
      if (++digits > kMostDigits) {
        return false;
      }
      mantissa = mantissa * 10 + (*at - '0');
    }
    return true;
  };
  if (!readDigits()) {
    return false;
  }
  const std::size_t whole = digits;
  if (at != end && *at == '.') {
    ++at;
    if (!readDigits() || digits == whole) {
      return false;
    }
  }
  if (at != end || whole == 0) {
    return false;
  }
  const std::size_t decimals = digits - whole;
  stamp = {mantissa, static_cast<std::uint8_t>(decimals)};
  form = {false, whole == 1 || field.front() != '0', decimals > 0 ? '.' : '\0'};
  return true;
}

}  // namespace

void TStampSpelling::Take(const TStampSpelling& later) {
  if (!later.seen_) {
    plain_ = plain_ && later.plain_;
    return;
  }
  if (!seen_) {
    *this = later;
    return;
  }
  plain_ = plain_ && later.plain_ && later.clock_ == clock_ && later.decimals_ == decimals_ && later.mark_ == mark_;
}

std::string TStampSpelling::Written(TStamp stamp) const {
  std::string text;
  if (stamp.Mantissa < 0) {
    text += '-';
  }
  const std::int64_t power = kPowers[stamp.Decimals];
  const std::int64_t whole = std::abs(stamp.Mantissa) / power;
  if (clock_) {
    AppendDigits(text, whole / 3600, 2);
    text += ':';
    AppendDigits(text, whole / 60 % 60, 2);
    text += ':';
    AppendDigits(text, whole % 60, 2);
  } else {
    AppendDigits(text, whole, 1);
  }
  if (stamp.Decimals > 0) {
    text += mark_;
    AppendDigits(text, std::abs(stamp.Mantissa) % power, stamp.Decimals);
  }
  return text;
}

std::optional<TStamp> ParseStamp(std::string_view field, TStampForm& form) {
  if (TStamp plain; ReadPlainNumber(field, plain, form)) {
    return plain;
  }
  const std::string_view trimmed = Trimmed(field);
  const bool clock = IsClockStamp(trimmed);
  std::optional<TStamp> stamp;
  if (clock) {
    stamp = ReadClock(trimmed);
  } else {
    std::string_view number = trimmed;
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
      number.remove_prefix(1);
    }
    stamp = ReadSeconds(number, 0, false);
    if (stamp && negative) {
      stamp->Mantissa = -stamp->Mantissa;
    }
  }
  if (stamp) {
    form = FormOf(field, trimmed, *stamp, clock);
  }
  return stamp;
}

std::optional<TStamp> ParseStamp(std::string_view field) {
  TStampForm form;
  return ParseStamp(field, form);
}

bool IsClockStamp(std::string_view field) { return Trimmed(field).find(':') != std::string_view::npos; }

double StampSeconds(TStamp stamp) {
  // Both exact doubles: their quotient is the stamp's value correctly rounded.
  return static_cast<double>(stamp.Mantissa) / static_cast<double>(kPowers[stamp.Decimals]);
}

void TStampTimes::Clear() {
  count_ = 0;
  known_ = true;
  increasing_ = true;
  spelling_ = {};
  writtenCount_ = 0;
  last_.reset();
  blocks_ = std::vector<TBlock>();
  pending_ = std::vector<TStamp>();
}

void TStampTimes::Append(std::optional<TStamp> stamp) {
  if (!known_) {
    return;
  }
  if (!stamp) {
    // Nothing of a log whose stamps are not all known is used: its room goes.
    Clear();
    known_ = false;
    return;
  }
  Push(*stamp);
}

void TStampTimes::AppendGap(std::optional<TStamp> stamp) {
  if (!stamp) {
    // Shown as no field, not as the stamp before.
    TStampSpelling unknown;
    unknown.NoteUnknown();
    Spelled(unknown);
  }
  Append(stamp ? stamp : last_);
}

void TStampTimes::Spelled(const TStampSpelling& spelling) {
  if (spelling_.Plain()) {
    writtenCount_ = count_;
  }
  spelling_.Take(spelling);
}

void TStampTimes::Push(TStamp stamp) {
  if (last_ && Earlier(stamp, *last_)) {
    increasing_ = false;
  }
  last_ = stamp;
  pending_.push_back(stamp);
  ++count_;
  if (pending_.size() == BlockSize) {
    SealPending();
  }
}

void TStampTimes::CatchUp(const TStampTimes& leader) {
  for (std::size_t b = blocks_.size(); b < leader.blocks_.size(); ++b) {
    blocks_.push_back(CopyOf(leader.blocks_[b]));
  }
  pending_ = leader.pending_;
  count_ = leader.count_;
  known_ = leader.known_;
  increasing_ = leader.increasing_;
  spelling_ = leader.spelling_;
  writtenCount_ = leader.writtenCount_;
  last_ = leader.last_;
}

TStampTimes::TBlock TStampTimes::CopyOf(const TBlock& block) {
  TBlock copy{block.First, block.Step, block.Decimals, block.Width, block.Doubles, nullptr};
  if (block.Width > 0) {
    const std::size_t bytes = BlockSize * block.Width;
    copy.Bytes = std::make_unique<std::uint8_t[]>(bytes);
    std::memcpy(copy.Bytes.get(), block.Bytes.get(), bytes);
  }
  return copy;
}

void TStampTimes::SealPending() {
  std::optional<TBlock> block = AlongLine(pending_);
  blocks_.push_back(block ? std::move(*block) : AsDoubles(pending_));
  pending_.clear();
}

// The stamps' mantissas at their finest decimals along the line from the
// first to the last, each only its offset off it; none when a mantissa is
// too big.
std::optional<TStampTimes::TBlock> TStampTimes::AlongLine(const std::vector<TStamp>& stamps) {
  TBlock block;
  for (const TStamp& stamp : stamps) {
    block.Decimals = std::max(block.Decimals, stamp.Decimals);
  }
  std::vector<std::int64_t> mantissas;
  mantissas.reserve(stamps.size());
  for (const TStamp& stamp : stamps) {
    const std::optional<std::int64_t> mantissa = Rescaled(stamp, block.Decimals);
    if (!mantissa) {
      return std::nullopt;
    }
    mantissas.push_back(*mantissa);
  }
  block.First = mantissas.front();
  // Rounded, not cut: a step cut short by jitter at the ends would add up
  // along the block.
  block.Step = std::llround(static_cast<double>(mantissas.back() - mantissas.front()) /
                            static_cast<double>(mantissas.size() - 1));
  for (std::size_t i = 0; i < mantissas.size(); ++i) {
    mantissas[i] -= block.First + static_cast<std::int64_t>(i) * block.Step;
    block.Width = std::max(block.Width, WidthFor(mantissas[i]));
  }
  if (block.Width > 0) {
    block.Bytes = std::make_unique<std::uint8_t[]>(mantissas.size() * block.Width);
  }
  for (std::size_t i = 0; i < mantissas.size(); ++i) {
    std::uint8_t* at = block.Bytes.get() + i * block.Width;
    switch (block.Width) {
      case 1: Store<std::int8_t>(at, mantissas[i]); break;
      case 2: Store<std::int16_t>(at, mantissas[i]); break;
      case 4: Store<std::int32_t>(at, mantissas[i]); break;
      case 8: Store<std::int64_t>(at, mantissas[i]); break;
      default: break;
    }
  }
  return block;
}

TStampTimes::TBlock TStampTimes::AsDoubles(const std::vector<TStamp>& stamps) {
  TBlock block;
  block.Width = sizeof(double);
  block.Doubles = true;
  block.Bytes = std::make_unique<std::uint8_t[]>(stamps.size() * sizeof(double));
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    const double seconds = StampSeconds(stamps[i]);
    std::memcpy(block.Bytes.get() + i * sizeof(double), &seconds, sizeof seconds);
  }
  return block;
}

std::optional<TStamp> TStampTimes::ExactStamp(std::size_t sample) const {
  const std::size_t sealed = blocks_.size() * BlockSize;
  if (sample >= sealed) {
    return pending_[sample - sealed];
  }
  const TBlock& block = blocks_[sample / BlockSize];
  if (block.Doubles) {
    return std::nullopt;
  }
  const std::size_t index = sample % BlockSize;
  const std::uint8_t* at = block.Bytes.get() + index * block.Width;
  std::int64_t offset = 0;
  switch (block.Width) {
    case 1: offset = Load<std::int8_t>(at); break;
    case 2: offset = Load<std::int16_t>(at); break;
    case 4: offset = Load<std::int32_t>(at); break;
    case 8: offset = Load<std::int64_t>(at); break;
    default: break;
  }
  return TStamp{block.First + static_cast<std::int64_t>(index) * block.Step + offset, block.Decimals};
}

double TStampTimes::Seconds(std::size_t sample) const {
  if (const std::optional<TStamp> stamp = ExactStamp(sample)) {
    return StampSeconds(*stamp);
  }
  double seconds = 0;
  std::memcpy(&seconds, blocks_[sample / BlockSize].Bytes.get() + sample % BlockSize * sizeof(double), sizeof seconds);
  return seconds;
}

std::optional<std::string> TStampTimes::Text(std::size_t sample) const {
  if (sample >= WrittenCount()) {
    return std::nullopt;
  }
  const std::optional<TStamp> stamp = ExactStamp(sample);
  return stamp ? std::optional(spelling_.Written(*stamp)) : std::nullopt;
}

std::size_t TStampTimes::NearestSample(double seconds) const {
  std::size_t low = 0;
  std::size_t high = count_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (Seconds(middle) < seconds) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  // `low` is the first at or after `seconds`: the one before may be nearer.
  if (low == count_ || (low > 0 && seconds - Seconds(low - 1) <= Seconds(low) - seconds)) {
    return low - 1;
  }
  return low;
}

std::size_t TStampTimes::BytesUsed() const {
  std::size_t bytes = blocks_.capacity() * sizeof(TBlock) + pending_.capacity() * sizeof(TStamp);
  for (const TBlock& block : blocks_) {
    bytes += BlockSize * block.Width;
  }
  return bytes;
}
