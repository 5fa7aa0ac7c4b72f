#include "app/view/LogNames.h"

std::string FileBaseName(const std::string& fileName) { return fileName.substr(fileName.rfind('/') + 1); }

std::string LogStem(const std::string& fileName) {
  std::string stem = FileBaseName(fileName);
  if (const std::size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) {
    stem.resize(dot);
  }
  return stem;
}

std::string WindowTitle(const std::vector<std::string>& logFileNames, const std::string& title) {
  std::string logs;
  for (const std::string& fileName : logFileNames) {
    if (const std::string stem = LogStem(fileName); !stem.empty()) {
      logs += (logs.empty() ? "" : ", ") + stem;
    }
  }
  return logs.empty() ? title : logs + " \u2013 " + title;
}
