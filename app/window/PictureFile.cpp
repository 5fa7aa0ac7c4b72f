#include "app/window/PictureFile.h"

#include "app/view/LogNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

struct TSuffixFormat {
  std::string_view Suffix;
  TPictureFormat Format;
};

constexpr std::array<TSuffixFormat, 5> kSuffixes = {{
    {".png", TPictureFormat::Png},
    {".jpg", TPictureFormat::Jpeg},
    {".jpeg", TPictureFormat::Jpeg},
    {".bmp", TPictureFormat::Bmp},
    {".svg", TPictureFormat::Svg},
}};

bool EndsWithIgnoringCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

const char* const PictureFilter = "PNG picture|*.png|JPEG picture|*.jpg;*.jpeg|BMP picture|*.bmp|SVG drawing|*.svg";

TPictureFile PictureFileFor(const std::string& chosen) {
  const std::string base = FileBaseName(chosen);
  for (const TSuffixFormat& entry : kSuffixes) {
    // A name that is only the suffix (".png") has none: it is a hidden file's name.
    if (base.size() > entry.Suffix.size() && EndsWithIgnoringCase(base, entry.Suffix)) {
      return {chosen, entry.Format};
    }
  }
  return {chosen + ".png", TPictureFormat::Png};
}

std::string SuggestedFileName(const std::vector<std::string>& logFileNames, std::string_view suffix) {
  std::string name;
  for (const std::string& fileName : logFileNames) {
    const std::string stem = LogStem(fileName);
    if (!stem.empty()) {
      name += (name.empty() ? "" : "+") + stem;
    }
  }
  return (name.empty() ? "logviewer" : name) + std::string(suffix);
}

std::string PictureCaption(const std::vector<std::string>& logFileNames) {
  std::string caption;
  for (std::size_t pane = 0; pane < logFileNames.size(); ++pane) {
    if (!logFileNames[pane].empty()) {
      caption += (caption.empty() ? "" : "   ") + std::to_string(pane + 1) + ": " + FileBaseName(logFileNames[pane]);
    }
  }
  return caption;
}
