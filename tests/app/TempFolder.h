#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder under the system's temporary folder, removed with its
// content at the end of the test.
class TempFolder {
public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "logviewer-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as a program sees its own: with a trailing "/".
  std::string Folder() const { return path_.string() + "/"; }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

  std::string Read(const std::string& name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

private:
  std::filesystem::path path_;
};
