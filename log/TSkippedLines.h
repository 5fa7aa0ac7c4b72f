#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The lines a load skipped as no sample: how many, and the first few with
// their numbers and texts, for the message that tells of them.
struct TSkippedLines {
  // How many lines are kept with their texts.
  static constexpr std::size_t Kept = 10;
  // The most characters of a line's text kept; a longer one ends in "...".
  static constexpr std::size_t KeptLength = 80;

  struct TLine {
    std::uint64_t Number = 0;  // the header is line 1
    std::string Text;
    bool operator==(const TLine&) const = default;
  };

  std::size_t Count = 0;
  std::vector<TLine> First;

  // One more skipped line, after the ones so far.
  void Add(std::uint64_t number, std::string_view text) {
    ++Count;
    if (First.size() < Kept) {
      First.push_back(
          {number, text.size() > KeptLength ? std::string(text.substr(0, KeptLength)) + "..." : std::string(text)});
    }
  }
  // The lines `later` skipped, after these.
  void Append(const TSkippedLines& later) {
    for (std::size_t i = 0; i < later.First.size() && First.size() < Kept; ++i) {
      First.push_back(later.First[i]);
    }
    Count += later.Count;
  }
};
