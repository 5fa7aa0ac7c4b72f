// Qt's drop and key events as the platform delivers them, turned into the
// program's platform-free calls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/CheckBox.h"
#include "gui/ControlImpl.h"
#include "gui/FormWindow.h"
#include "gui/Keyboard.h"
#include "gui/PushButton.h"

namespace {

TEST(Drop, LocalFilesArriveAsTheFileSystemsBytesInTheirOrder) {
  FormWindow form;
  PushButton button(&form);
  std::vector<std::vector<std::string>> drops;
  button.SetOnFilesDropped([&](const std::vector<std::string>& files) { drops.push_back(files); });
  // As a file manager sends them: a Latin-1 name that is not UTF-8, a UTF-8
  // one, a remote file.
  QMimeData data;
  data.setUrls({QUrl::fromEncoded("file:///tmp/m%FCller.csv"), QUrl("https://example.invalid/remote.csv"),
                QUrl::fromEncoded("file:///tmp/%C3%A9t%C3%A9%20b.csv")});
  QMimeData remoteOnly;
  remoteOnly.setUrls({QUrl("https://example.invalid/remote.csv")});
  QWidget* widget = button.Internals().Widget;
  QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &remoteOnly, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &refused);
  EXPECT_FALSE(refused.isAccepted()) << "nothing to open: the drag is refused";

  // A drop reaches the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  EXPECT_TRUE(drops.empty()) << "the files arrive once the drop is over";
  ProcessPendingEvents();
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], (std::vector<std::string>{"/tmp/m\xFCller.csv", "/tmp/\xC3\xA9t\xC3\xA9 b.csv"}));
}

TEST(Keys, TheWindowReportsKeysWithTheHeldModifiers) {
  FormWindow form;
  std::vector<std::pair<int, TShiftState>> keys;
  form.OnKeyDown = [&](int key, TShiftState shift) { keys.emplace_back(key, shift); };
  const struct {
    int qtKey = 0;
    Qt::KeyboardModifiers modifiers;
  } presses[] = {{Qt::Key_C, Qt::ControlModifier},
                 {Qt::Key_Escape, Qt::NoModifier},
                 {Qt::Key_F2, Qt::NoModifier},  // no key of ours: passed on
                 {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier},
                 {Qt::Key_Left, Qt::ShiftModifier},
                 {Qt::Key_Equal, Qt::NoModifier},
                 {Qt::Key_Plus, Qt::ShiftModifier},
                 {Qt::Key_Backspace, Qt::NoModifier}};
  for (const auto& p : presses) {
    QKeyEvent event(QEvent::KeyPress, p.qtKey, p.modifiers);
    QApplication::sendEvent(form.Internals().Widget, &event);
  }
  EXPECT_EQ(keys, (std::vector<std::pair<int, TShiftState>>{{'C', ssCtrl},
                                                            {VK_ESCAPE, 0},
                                                            {'S', ssCtrl | ssShift},
                                                            {VK_LEFT, ssShift},
                                                            {VK_OEM_PLUS, 0},
                                                            {VK_OEM_PLUS, ssShift},
                                                            {VK_BACK, 0}}));
}

// A focused button or check box would move the focus with the arrow keys;
// the window's keys reach the window first, and the controls keep theirs.
TEST(Keys, TheWindowTakesItsKeysBeforeTheFocusedControl) {
  FormWindow form;
  PushButton button(&form);
  CheckBox box(&form);
  std::vector<std::pair<int, TShiftState>> keys;
  form.OnKeyDown = [&](int key, TShiftState shift) { keys.emplace_back(key, shift); };
  const struct {
    Qt::Key qtKey;
    Qt::KeyboardModifiers modifiers;
    std::vector<std::pair<int, TShiftState>> reported;
  } presses[] = {
      {Qt::Key_Left, Qt::NoModifier, {{VK_LEFT, 0}}},
      {Qt::Key_Right, Qt::ShiftModifier, {{VK_RIGHT, ssShift}}},
      {Qt::Key_Home, Qt::NoModifier, {{VK_HOME, 0}}},
      {Qt::Key_L, Qt::NoModifier, {{'L', 0}}},
      {Qt::Key_O, Qt::ControlModifier, {{'O', ssCtrl}}},
      {Qt::Key_Tab, Qt::NoModifier, {}},
      {Qt::Key_Space, Qt::NoModifier, {}},
  };
  for (QWidget* widget : {button.Internals().Widget.data(), box.Internals().Widget.data()}) {
    for (const auto& p : presses) {
      keys.clear();
      QKeyEvent event(QEvent::KeyPress, p.qtKey, p.modifiers);
      QApplication::sendEvent(widget, &event);
      EXPECT_EQ(keys, p.reported) << widget->metaObject()->className() << " key " << p.qtKey;
    }
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(box.Internals().Widget, &release);
  EXPECT_TRUE(box.Checked()) << "Space still toggles the check box";
}

TEST(Keys, NamesGiveTheKeyPressesTheWindowReports) {
  const struct {
    const char* Name = "";
    std::optional<TKeyPress> Expected;
  } cases[] = {
      {"L", TKeyPress{'L', 0}},
      {"Ctrl+C", TKeyPress{'C', ssCtrl}},
      {"Escape", TKeyPress{VK_ESCAPE, 0}},
      {"Shift+Left", TKeyPress{VK_LEFT, ssShift}},
      {"Ctrl+Shift+C", TKeyPress{'C', ssCtrl | ssShift}},
      {"+", TKeyPress{VK_OEM_PLUS, 0}},
      {"F2", std::nullopt},
      {"Nonsense", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<TKeyPress> press = KeyPressNamed(c.Name);
    ASSERT_EQ(press.has_value(), c.Expected.has_value()) << c.Name;
    if (press) {
      EXPECT_EQ(press->Key, c.Expected->Key) << c.Name;
      EXPECT_EQ(press->Shift, c.Expected->Shift) << c.Name;
    }
  }
}

}  // namespace
