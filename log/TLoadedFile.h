#pragma once

#include <cstdint>
#include <string>

// What a load read of a file: the file itself (device and inode), taken
// from the descriptor the load read, as a name may meanwhile lead to another
// file; and the first and last bytes of what it read, so that a file
// rewritten in place is told from one that only grew. A modification time
// would not tell: it moves in ticks of milliseconds, so a quick rewrite of
// the same length may keep it.
struct TLoadedFile {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  // The bytes before this offset were read.
  std::uint64_t Loaded = 0;
  std::string Head;
  std::string Tail;
};

// How an open file stands to a load that read it.
enum class TFileState {
  Unchanged,  // the bytes read and no more
  Grown,      // the bytes read, and more after them
  Other,      // another file, or the bytes read are no longer there
};

// The open file `fd` as a load that read its bytes up to `loaded` leaves it.
TLoadedFile NoteLoadedFile(int fd, std::uint64_t loaded);

// Whether the open file `fd` still holds what `loaded` read: the same device
// and inode, at least as long, with the same first and last bytes read.
TFileState CompareLoadedFile(int fd, const TLoadedFile& loaded);
