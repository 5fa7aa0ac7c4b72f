#pragma once

// The one place where the program's strings become Qt's and back. Nothing
// outside gui/ may include this.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "gui/ShownText.h"

// A text as the user reads it: see ShownText.
inline QString QtText(std::string_view text) {
  const std::string shown = ShownText(text);
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

// What the user typed or a widget holds, as the program's bytes.
inline std::string TextFromQt(const QString& text) { return text.toUtf8().toStdString(); }

// File names are the file system's bytes; Qt's file-name encoding maps them
// both ways without loss, also where they are not valid UTF-8.
inline QString QtFileName(const std::string& fileName) {
  return QFile::decodeName(QByteArray(fileName.data(), static_cast<qsizetype>(fileName.size())));
}

inline std::string FileNameFromQt(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }
