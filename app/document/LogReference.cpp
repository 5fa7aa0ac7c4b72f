#include "app/document/LogReference.h"

#include <sys/stat.h>

namespace {

bool Exists(const std::string& fileName) {
  struct stat status {};
  return stat(fileName.c_str(), &status) == 0;
}

}  // namespace

TLogReference ParseLogReference(const std::string& text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0 || Exists(text)) {
    return {text, std::nullopt};
  }
  std::string fileName = text.substr(0, colon);
  if (!Exists(fileName)) {
    return {text, std::nullopt};
  }
  return {std::move(fileName), text.substr(colon + 1)};
}

std::string LogReferenceText(const TLogReference& reference) {
  return reference.Column ? reference.FileName + ":" + *reference.Column : reference.FileName;
}
