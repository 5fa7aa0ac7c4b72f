#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "gui/ShownText.h"

// A strict check of the XML 1.0 our documents use: a declaration, comments,
// processing instructions, elements with quoted attributes, text, the five
// predefined entities and character references. Anything else (a DOCTYPE,
// CDATA) counts as a fault, as does every character XML cannot hold.
class TWellFormedXml {
public:
  // Why the document is not well-formed, or "" when it is.
  static std::string Fault(std::string_view document) { return TWellFormedXml(document).DocumentFault(); }

private:
  explicit TWellFormedXml(std::string_view document) : d_(document) {}

  static bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
  }

  static bool IsNameStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || c == '_' || c == ':' || byte >= 0x80;
  }

  static bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

  std::string DocumentFault() {
    if (!IsValidUtf8(d_)) {
      return "not UTF-8";
    }
    if (std::string fault = CharacterFault(); !fault.empty()) {
      return fault;
    }
    SkipMisc();
    if (!Starts("<")) {
      return At("no root element");
    }
    if (std::string fault = ElementFault(); !fault.empty()) {
      return fault;
    }
    SkipMisc();
    return pos_ == d_.size() ? "" : At("content after the root element");
  }

  std::string CharacterFault() const {
    for (std::size_t i = 0; i < d_.size();) {
      const auto lead = static_cast<unsigned char>(d_[i]);
      const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      char32_t c = length == 1 ? lead : lead & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (static_cast<unsigned char>(d_[i + k]) & 0x3F);
      }
      if (!IsXmlChar(c)) {
        return "character " + std::to_string(c) + " at byte " + std::to_string(i);
      }
      i += length;
    }
    return "";
  }

  std::string At(const std::string& what) const { return what + " at byte " + std::to_string(pos_); }
  bool Starts(std::string_view text) const { return d_.substr(pos_).starts_with(text); }

  bool Eat(char c) {
    if (pos_ < d_.size() && d_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool SkipSpace() {
    const std::size_t start = pos_;
    while (pos_ < d_.size() && (d_[pos_] == ' ' || d_[pos_] == '\t' || d_[pos_] == '\n' || d_[pos_] == '\r')) {
      ++pos_;
    }
    return pos_ > start;
  }

  bool SkipPast(std::string_view end) {
    const std::size_t found = d_.find(end, pos_);
    pos_ = found == std::string_view::npos ? d_.size() : found + end.size();
    return found != std::string_view::npos;
  }

  // Comments and processing instructions (the declaration among them).
  bool SkipMarkup() {
    if (Starts("<!--")) {
      return SkipPast("-->");
    }
    if (Starts("<?")) {
      return SkipPast("?>");
    }
    return false;
  }

  void SkipMisc() {
    while (SkipSpace() || SkipMarkup()) {
    }
  }

  std::string Name() {
    const std::size_t start = pos_;
    if (pos_ < d_.size() && IsNameStart(d_[pos_])) {
      while (pos_ < d_.size() && IsNameChar(d_[pos_])) {
        ++pos_;
      }
    }
    return std::string(d_.substr(start, pos_ - start));
  }

  std::string ReferenceFault() {
    const std::size_t end = d_.find(';', pos_);
    if (end == std::string_view::npos) {
      return At("'&' without ';'");
    }
    const std::string_view reference = d_.substr(pos_ + 1, end - pos_ - 1);
    static const std::set<std::string_view> kEntities = {"amp", "lt", "gt", "quot", "apos"};
    if (reference.starts_with('#')) {
      const bool hex = reference.starts_with("#x");
      const std::string_view digits = reference.substr(hex ? 2 : 1);
      const std::string_view allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
      if (digits.empty() || digits.size() > 8 || digits.find_first_not_of(allowed) != std::string_view::npos ||
          !IsXmlChar(static_cast<char32_t>(std::stoul(std::string(digits), nullptr, hex ? 16 : 10)))) {
        return At("bad character reference &" + std::string(reference) + ";");
      }
    } else if (!kEntities.contains(reference)) {
      return At("unknown entity &" + std::string(reference) + ";");
    }
    pos_ = end + 1;
    return "";
  }

  std::string AttributeFault(std::set<std::string>& names) {
    const std::string name = Name();
    if (name.empty()) {
      return At("no attribute name");
    }
    if (!names.insert(name).second) {
      return At("attribute " + name + " twice");
    }
    SkipSpace();
    if (!Eat('=')) {
      return At("no '=' after " + name);
    }
    SkipSpace();
    if (pos_ >= d_.size() || (d_[pos_] != '"' && d_[pos_] != '\'')) {
      return At("a value without quotes");
    }
    const char quote = d_[pos_++];
    while (pos_ < d_.size() && d_[pos_] != quote) {
      if (d_[pos_] == '<') {
        return At("'<' in a value");
      }
      if (d_[pos_] != '&') {
        ++pos_;
      } else if (std::string fault = ReferenceFault(); !fault.empty()) {
        return fault;
      }
    }
    return Eat(quote) ? "" : At("a value not closed");
  }

  std::string ElementFault() {
    ++pos_;
    const std::string name = Name();
    if (name.empty()) {
      return At("no element name");
    }
    std::set<std::string> attributes;
    for (;;) {
      const bool spaced = SkipSpace();
      if (Starts("/>")) {
        pos_ += 2;
        return "";
      }
      if (Eat('>')) {
        break;
      }
      if (!spaced) {
        return At("no space before an attribute of <" + name + ">");
      }
      if (std::string fault = AttributeFault(attributes); !fault.empty()) {
        return fault;
      }
    }
    return ContentFault(name);
  }

  std::string ContentFault(const std::string& name) {
    while (pos_ < d_.size()) {
      if (Starts("</")) {
        pos_ += 2;
        const std::string end = Name();
        SkipSpace();
        return end == name && Eat('>') ? "" : At("</" + end + "> closing <" + name + ">");
      }
      std::string fault;
      if (Starts("<!--") || Starts("<?")) {
        fault = SkipMarkup() ? "" : At("markup not closed");
      } else if (Starts("<")) {
        fault = ElementFault();
      } else if (Starts("]]>")) {
        fault = At("']]>' in text");
      } else if (d_[pos_] == '&') {
        fault = ReferenceFault();
      } else {
        ++pos_;
      }
      if (!fault.empty()) {
        return fault;
      }
    }
    return "<" + name + "> not closed";
  }

  std::string_view d_;
  std::size_t pos_ = 0;
};
