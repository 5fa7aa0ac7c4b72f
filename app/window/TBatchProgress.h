#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/document/TLogDocument.h"
#include "gui/Dialogs.h"

// What the progress dialog of logs loaded one after the other says: which
// log of how many, and the bytes read of all of them.
std::string BatchProgressText(std::size_t log, std::size_t logs, const std::string& fileName, std::uint64_t bytesRead,
                              std::uint64_t bytes);

// One progress dialog for logs loaded one after the other, its bar going
// once from empty to full by the bytes of all of them; its Cancel ends the
// log being loaded and the batch.
class TBatchProgress : public TLoadProgress {
public:
  TBatchProgress(Control* owner, std::vector<std::string> fileNames);

  // Log `index` (from 0) of the batch starts loading.
  void StartLog(std::size_t index) override;
  // The log being loaded has `shareRead` (0 to 1) of its bytes read; true
  // once Cancel is pressed.
  bool Report(double shareRead) override;
  bool Cancelled() const override { return cancelled_; }

private:
  std::vector<std::string> fileNames_;
  // A file that cannot be measured counts as empty: it fails when opened.
  std::vector<std::uint64_t> bytes_;
  std::uint64_t total_ = 0;
  // The log being loaded, and the bytes of the ones before it.
  std::size_t current_ = 0;
  std::uint64_t bytesBefore_ = 0;
  bool cancelled_ = false;
  ProgressDialog dialog_;
};
