#pragma once

// The Qt side of a control, for the other parts of gui/. Nothing outside
// gui/ may include this.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "gui/Control.h"

class Control::Impl {
public:
  explicit Impl(QWidget* widget) : Widget(widget) {}
  ~Impl() { delete Widget.data(); }  // null once a parent deleted it

  QPointer<QWidget> Widget;
};

// Texts are 8-bit strings in the program; Qt sees them as Latin-1.
inline QString ToQt(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) { return text.toLatin1().toStdString(); }

// The widget of a parent control, or none.
inline QWidget* ParentWidget(Control* parent) { return parent ? parent->Internals().Widget.data() : nullptr; }
