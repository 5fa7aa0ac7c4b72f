#include "log/RunPieces.h"

#include <algorithm>
#include <atomic>
#include <system_error>

namespace {

// Below this a run is converted on one core: a thread would cost more than
// it saves.
constexpr std::size_t kSmallestPiece = std::size_t{1} << 16;

// Several pieces per core, so that taking the first ones in order overlaps
// with converting the rest.
constexpr std::size_t kPiecesPerCore = 4;

// Just past the first line end at or after `from`, a CR LF pair whole; npos
// when none follows.
std::size_t AfterLineEnd(std::string_view run, std::size_t from) {
  const std::size_t end = run.find_first_of("\r\n", from);
  if (end == std::string_view::npos) {
    return end;
  }
  return end + (run[end] == '\r' && end + 1 < run.size() && run[end + 1] == '\n' ? 2 : 1);
}

// Hands out the pieces to the threads that convert them and tells when each
// is done.
class TPieceQueue {
public:
  TPieceQueue(std::size_t count, const std::function<void(std::size_t)>& convert)
      : count_(count), convert_(convert), done_(count) {}

  void ConvertWhileLeft() {
    for (std::size_t i = Claim(); i < count_; i = Claim()) {
      ConvertPiece(i);
    }
  }

  // Converts pieces that no thread took yet until piece `i` is done.
  void ConvertUntilDone(std::size_t i) {
    while (!done_[i].load(std::memory_order_acquire)) {
      if (const std::size_t next = Claim(); next < count_) {
        ConvertPiece(next);
      } else {
        done_[i].wait(false, std::memory_order_acquire);
      }
    }
  }

  // No piece is handed out after this.
  void Stop() { next_.store(count_); }

private:
  std::size_t Claim() { return next_.fetch_add(1, std::memory_order_relaxed); }

  void ConvertPiece(std::size_t i) {
    convert_(i);
    done_[i].store(true, std::memory_order_release);
    done_[i].notify_one();
  }

  std::size_t count_;
  const std::function<void(std::size_t)>& convert_;
  std::vector<std::atomic<bool>> done_;
  std::atomic<std::size_t> next_{0};
};

// Fewer helpers than asked for, or none, when threads cannot be started:
// the calling thread converts what they leave.
std::vector<std::jthread> StartHelpers(TPieceQueue& queue, std::size_t count, const TStartThread& start) {
  std::vector<std::jthread> helpers;
  helpers.reserve(count);
  const auto work = [&queue] { queue.ConvertWhileLeft(); };
  try {
    for (std::size_t k = 0; k < count; ++k) {
      helpers.push_back(start ? start(work) : std::jthread(work));
    }
  } catch (const std::system_error&) {
    // The threads started so far, or this one alone, do the work.
  }
  return helpers;
}

}  // namespace

std::size_t ConvertingThreads(std::size_t threads) {
  return threads > 0 ? threads : std::max(1U, std::thread::hardware_concurrency());
}

std::vector<std::string_view> SplitAtLineEnds(std::string_view run, std::size_t threads) {
  const std::size_t parts = std::clamp<std::size_t>(run.size() / kSmallestPiece, 1, threads * kPiecesPerCore);
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t k = 1; k < parts; ++k) {
    const std::size_t next = AfterLineEnd(run, std::max(start, run.size() * k / parts));
    if (next == std::string_view::npos) {
      break;
    }
    pieces.push_back(run.substr(start, next - start));
    start = next;
  }
  pieces.push_back(run.substr(start));
  return pieces;
}

void ConvertInOrder(std::size_t count, std::size_t threads, const TStartThread& start,
                    const std::function<void(std::size_t)>& convert, const std::function<bool(std::size_t)>& take) {
  if (count == 0) {
    return;
  }
  TPieceQueue queue(count, convert);
  // The helpers are joined before the queue goes.
  const std::vector<std::jthread> helpers = StartHelpers(queue, std::min(threads, count) - 1, start);
  try {
    for (std::size_t i = 0; i < count; ++i) {
      queue.ConvertUntilDone(i);
      if (!take(i)) {
        queue.Stop();
        return;
      }
    }
  } catch (...) {
    queue.Stop();
    throw;
  }
}
