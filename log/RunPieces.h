#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <thread>
#include <vector>

// Starts a thread that runs `work`; raises std::system_error when no thread
// can be started. Tests put failing starts in its place.
using TStartThread = std::function<std::jthread(std::function<void()> work)>;

// `threads` as asked for, or one per core for 0.
std::size_t ConvertingThreads(std::size_t threads);

// A run of whole lines cut at line ends into pieces for `threads` threads:
// several a thread, none smaller than a thread is worth.
std::vector<std::string_view> SplitAtLineEnds(std::string_view run, std::size_t threads);

// Converts pieces 0 to count-1 on up to `threads` threads, the calling one
// included, and hands each to `take` on the calling thread in order as soon
// as it is done, so that taking overlaps with converting the rest. When
// `take` says no, no further piece is converted or taken. When no thread can
// be started (`start`, empty for the plain one), the calling thread
// converts alone.
void ConvertInOrder(std::size_t count, std::size_t threads, const TStartThread& start,
                    const std::function<void(std::size_t)>& convert, const std::function<bool(std::size_t)>& take);
