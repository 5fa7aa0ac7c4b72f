#include "log/LogGenerator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace {

struct TKindShape {
  std::string_view Name;
  std::string_view Header;
  int Decimals;  // of the written value
  double Low;    // the value wanders between Low and High
  double High;
  double Start;                           // where it begins
  double Rest;                            // where it settles
  double Step;                            // size of the random steps
  std::array<std::string_view, 2> Words;  // below and above Rest
};

// One kind per row.
// clang-format off
constexpr std::array<TKindShape, 4> kShapes = {{
    {"lambda", "Time,Lambda", 3, 0.70, 1.30, 1.00, 1.00, 0.02, {"Rich", "Lean"}},
    {"rpm", "Time,Engine speed (rpm)", 0, 750, 6500, 2500, 850, 60, {"Cold or Open Circuit", "Cold or Open Circuit"}},
    {"coolant", "Time,Coolant temperature (C)", 1, -10, 110, 18, 90, 0.3, {"Cold or Open Circuit", "Cold or Open Circuit"}},
    {"voltage", "Time,Battery voltage (V)", 2, 11.5, 14.6, 12.4, 14.1, 0.05, {"S.C to Gnd/Sensor lower limit", "S.C to Gnd/Sensor lower limit"}},
}};
// clang-format on

const TKindShape& ShapeOf(TLogKind kind) { return kShapes[static_cast<std::size_t>(kind)]; }

// Appends value / 10^decimals with exactly that many decimals.
void AppendFixed(std::string& out, long long scaled, int decimals) {
  if (scaled < 0) {
    out.push_back('-');
    scaled = -scaled;
  }
  long long unit = 1;
  for (int i = 0; i < decimals; ++i) {
    unit *= 10;
  }
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, scaled / unit).ptr;
  out.append(digits, end);
  if (decimals > 0) {
    out.push_back('.');
    end = std::to_chars(digits, digits + sizeof digits, scaled % unit + unit).ptr;
    out.append(digits + 1, end);  // the leading 1 keeps the zeros
  }
}

// A random walk pulled back towards the resting value.
class TWalk {
public:
  TWalk(const TKindShape& shape, std::uint64_t seed) : shape_(shape), random_(seed), value_(shape.Start) {}

  double Next() {
    std::normal_distribution<double> step(0.0, shape_.Step);
    value_ += step(random_) + (shape_.Rest - value_) * 0.002;
    value_ = std::clamp(value_, shape_.Low, shape_.High);
    return value_;
  }
  bool Chance(double fraction) { return std::uniform_real_distribution<double>(0, 1)(random_) < fraction; }

private:
  const TKindShape& shape_;
  std::mt19937_64 random_;
  double value_;
};

}  // namespace

bool ParseLogKind(std::string_view name, TLogKind& kind) {
  for (std::size_t i = 0; i < kShapes.size(); ++i) {
    if (kShapes[i].Name == name) {
      kind = static_cast<TLogKind>(i);
      return true;
    }
  }
  return false;
}

bool WriteLog(std::FILE* out, const TLogGeneratorOptions& options) {
  const TKindShape& shape = ShapeOf(options.Kind);
  TWalk walk(shape, options.Seed);
  double scale = 1;
  for (int i = 0; i < shape.Decimals; ++i) {
    scale *= 10;
  }
  std::string block(shape.Header);
  block.push_back('\n');
  for (long line = 0; line < options.Lines; ++line) {
    AppendFixed(block, line, 1);
    block.push_back(',');
    const double value = walk.Next();
    if (walk.Chance(options.WordFraction)) {
      block.append(shape.Words[value < shape.Rest ? 0 : 1]);
    } else {
      AppendFixed(block, std::llround(value * scale), shape.Decimals);
    }
    block.push_back('\n');
    if (block.size() > (1 << 16)) {
      if (std::fwrite(block.data(), 1, block.size(), out) != block.size()) {
        return false;
      }
      block.clear();
    }
  }
  return std::fwrite(block.data(), 1, block.size(), out) == block.size() && std::fflush(out) == 0;
}
