#pragma once

#include <string>
#include <vector>

// The example logs of samples/, in the order of the panes they are loaded
// into.
inline const std::string kSampleFolder = std::string(LOGVIEWER_SOURCE_DIR) + "/samples";
inline const std::vector<std::string> kSampleLogNames = {"lambda.csv", "engine-speed.csv", "coolant-temperature.csv",
                                                         "battery-voltage.csv"};

inline std::string SampleLogPath(const std::string& name) { return kSampleFolder + "/" + name; }

inline std::vector<std::string> SampleLogPaths() {
  std::vector<std::string> paths;
  for (const std::string& name : kSampleLogNames) {
    paths.push_back(SampleLogPath(name));
  }
  return paths;
}
