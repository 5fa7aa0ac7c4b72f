#pragma once

#include <functional>

#include "runtime/FireEvent.h"
#include "runtime/StoreIfChanged.h"

// Base of the chart's setting objects (pens, brushes, fonts, shadows): every
// setter compares, stores, and only on a real change tells the owner through
// OnChange, so that the owner can request a repaint. A copy takes the
// settings, never the original's owner.
class TChangeNotifier {
public:
  std::function<void()> OnChange;

protected:
  TChangeNotifier() = default;
  TChangeNotifier(const TChangeNotifier&) {}
  TChangeNotifier& operator=(const TChangeNotifier&) { return *this; }
  ~TChangeNotifier() = default;

  template <typename T>
  void Change(T& field, const T& value) {
    if (StoreIfChanged(field, value)) {
      Changed();
    }
  }
  void Changed() const { FireEvent(OnChange); }
};
