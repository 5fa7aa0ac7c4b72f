#include "app/LogSample.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

#include "runtime/LocaleSeparators.h"
#include "runtime/TextToNumber.h"

namespace {

struct TSensorWord {
  std::string_view Text;
  double Value;
};

// Sensor states the diagnostic tool writes instead of a number, placed on
// the value axis beside the numbers.
constexpr std::array<TSensorWord, 4> kSensorWords = {{
    {"Rich", 2.0},
    {"Lean", 1.0},
    {"S.C to Gnd/Sensor lower limit", -1.0},
    {"Cold or Open Circuit", 0.0},
}};

std::optional<double> SensorWordValue(std::string_view sample) {
  for (const TSensorWord& word : kSensorWords) {
    if (sample == word.Text) {
      return word.Value;
    }
  }
  return std::nullopt;
}

// A plain loop: the leading field is a few characters, too short to gain
// from a library search.
std::size_t FirstComma(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ',') {
      return i;
    }
  }
  return std::string_view::npos;
}

// The text after the comma at `comma`, or all of it when there is none.
std::string_view AfterComma(std::string_view text, std::size_t comma) {
  return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::string_view AfterFirstComma(std::string_view text) { return AfterComma(text, FirstComma(text)); }

// The value of a line whose sample is `sample`.
double LineValue(const TLogLine& line, std::string_view sample) {
  if (line.Truncated) {
    RaiseConversionError(std::string(sample) + "...");
  }
  return SampleValue(sample);
}

// The shortcut reads "." as the separator, which is what the replacement
// makes of it, unless the locale's separator means something else to the
// general conversion as well: a digit merges the two parts of the number, a
// blank is also padding and a sign makes ".5" read "-5".
bool PlainShortcutHolds() {
  const char separator = LocaleDecimalSeparator;
  return (separator < '0' || separator > '9') && separator != ' ' && separator != '+' && separator != '-';
}

}  // namespace

std::string_view HeaderTitle(std::string_view header) { return AfterFirstComma(header); }

// No sensor word is a plain number, so trying the shortcut first changes no
// result and spares most samples the word comparisons.
double SampleValue(std::string_view sample) {
  std::int64_t amount = 0;
  if (PlainShortcutHolds() && PlainDecimalToCurrency(sample, amount)) {
    return CurrencyToValue(amount);
  }
  if (const std::optional<double> word = SensorWordValue(sample)) {
    return *word;
  }
  std::string text(sample);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text[point] = LocaleDecimalSeparator;
  }
  return CurrencyToValue(TextToCurrency(text));
}

double LogLineValue(const TLogLine& line) { return LineValue(line, AfterFirstComma(line.Text)); }

namespace {

// Below this a run is converted on one core: a thread would cost more than
// it saves.
constexpr std::size_t kSmallestPiece = std::size_t{1} << 16;

// Several pieces per core, so that appending the first ones in order overlaps
// with converting the rest.
constexpr std::size_t kPiecesPerCore = 4;

std::size_t Cores() { return std::max(1U, std::thread::hardware_concurrency()); }

std::vector<std::string_view> SplitAtLineFeeds(std::string_view run) {
  const std::size_t parts = std::clamp<std::size_t>(run.size() / kSmallestPiece, 1, Cores() * kPiecesPerCore);
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t k = 1; k < parts; ++k) {
    const std::size_t lineFeed = run.find('\n', std::max(start, run.size() * k / parts));
    if (lineFeed == std::string_view::npos) {
      break;
    }
    pieces.push_back(run.substr(start, lineFeed + 1 - start));
    start = lineFeed + 1;
  }
  pieces.push_back(run.substr(start));
  return pieces;
}

std::exception_ptr ConversionError(std::string_view text) {
  try {
    RaiseConversionError(text);
  } catch (...) {
    return std::current_exception();
  }
}

}  // namespace

// One core's share of a run: its values up to its first bad line, and where
// lines with and without a leading field first occur, which only the lines
// before it can tell.
struct TLogSamples::TPiece {
  static constexpr std::size_t kNone = SIZE_MAX;

  std::vector<double> Values;
  std::exception_ptr Error;  // of the line after the last value
  std::size_t FirstWithField = kNone;
  std::size_t FirstWithoutField = kNone;
  std::size_t CutAfterField = kNone;  // the first line without a field after one with it
  std::string_view FirstWithoutFieldText;
  std::string_view CutAfterFieldText;

  // Starts over for another text, keeping the room the values had.
  void Reset() {
    Values.clear();
    Error = nullptr;
    FirstWithField = FirstWithoutField = CutAfterField = kNone;
  }

  void Convert(std::string_view text) {
    Reset();
    const TExtendedArithmeticScope arithmetic;
    TLogLines lines(text);
    TLogLine line;
    try {
      while (lines.Next(line)) {
        const std::size_t index = Values.size();
        const std::size_t comma = FirstComma(line.Text);
        if (comma != std::string_view::npos) {
          FirstWithField = std::min(FirstWithField, index);
        } else if (FirstWithField != kNone) {
          CutAfterField = index;
          CutAfterFieldText = line.Text;
          return;
        } else if (FirstWithoutField == kNone) {
          FirstWithoutField = index;
          FirstWithoutFieldText = line.Text;
        }
        Values.push_back(LineValue(line, AfterComma(line.Text, comma)));
      }
    } catch (...) {
      Error = std::current_exception();
    }
  }
};

TLogSamples::TLogSamples() = default;
TLogSamples::~TLogSamples() = default;

// Hands out a run's pieces to the threads that convert them and tells when
// each is done.
class TLogSamples::TPieceQueue {
public:
  TPieceQueue(std::vector<TPiece>& pieces, const std::vector<std::string_view>& texts)
      : pieces_(pieces), texts_(texts), done_(texts.size()) {}

  void ConvertWhileLeft() {
    for (std::size_t i = Claim(); i < texts_.size(); i = Claim()) {
      ConvertPiece(i);
    }
  }

  // Converts pieces that no thread took yet until piece `i` is done.
  void ConvertUntilDone(std::size_t i) {
    while (!done_[i].load(std::memory_order_acquire)) {
      if (const std::size_t next = Claim(); next < texts_.size()) {
        ConvertPiece(next);
      } else {
        done_[i].wait(false, std::memory_order_acquire);
      }
    }
  }

  // No piece is handed out after this.
  void Stop() { next_.store(texts_.size()); }

private:
  std::size_t Claim() { return next_.fetch_add(1, std::memory_order_relaxed); }

  void ConvertPiece(std::size_t i) {
    pieces_[i].Convert(texts_[i]);
    done_[i].store(true, std::memory_order_release);
    done_[i].notify_one();
  }

  std::vector<TPiece>& pieces_;
  const std::vector<std::string_view>& texts_;
  std::vector<std::atomic<bool>> done_;
  std::atomic<std::size_t> next_{0};
};

// The pieces are taken in order on this thread as they are done, which
// overlaps with the other threads converting the rest; this thread converts
// too whenever the next piece is not done.
std::exception_ptr TLogSamples::Convert(std::string_view run, const TTake& take) {
  const std::vector<std::string_view> texts = SplitAtLineFeeds(run);
  // Kept from run to run: fresh ones would fault in their pages every time.
  if (pieces_.size() < texts.size()) {
    pieces_.resize(texts.size());
  }
  TPieceQueue queue(pieces_, texts);
  std::vector<std::jthread> helpers;
  const std::size_t helperCount = std::min(Cores(), texts.size()) - 1;
  helpers.reserve(helperCount);
  for (std::size_t k = 0; k < helperCount; ++k) {
    helpers.emplace_back([&queue] { queue.ConvertWhileLeft(); });
  }
  try {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      queue.ConvertUntilDone(i);
      if (std::exception_ptr error = Take(pieces_[i], take)) {
        queue.Stop();
        return error;
      }
    }
  } catch (...) {
    queue.Stop();
    throw;
  }
  return nullptr;
}

// The piece's values in the light of the lines before it: when those had a
// leading field, its first line without one is where the log was cut.
std::exception_ptr TLogSamples::Take(TPiece& piece, const TTake& take) {
  const std::size_t cut = fieldSeen_ ? std::min(piece.FirstWithoutField, piece.CutAfterField) : piece.CutAfterField;
  const std::size_t failed = piece.Error ? piece.Values.size() : TPiece::kNone;
  const std::size_t stop = std::min({cut, failed, piece.Values.size()});
  take(std::span<const double>(piece.Values.data(), stop));
  fieldSeen_ = fieldSeen_ || piece.FirstWithField < stop;
  if (cut != TPiece::kNone && cut <= failed) {
    return ConversionError(cut == piece.CutAfterField ? piece.CutAfterFieldText : piece.FirstWithoutFieldText);
  }
  return piece.Error;
}
