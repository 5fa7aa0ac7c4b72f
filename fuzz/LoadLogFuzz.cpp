// Any file contents loaded into a pane: the load ends with points and a
// title or with its conversion error, never with a crash or a hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/TForm1.h"
#include "runtime/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TForm1 form;
  static const std::string path = "/tmp/logviewer-fuzz-" + std::to_string(getpid()) + ".csv";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return 0;
  }
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  try {
    form.LoadLog(0, path);
  } catch (const EConvertError&) {
  }
  return 0;
}
