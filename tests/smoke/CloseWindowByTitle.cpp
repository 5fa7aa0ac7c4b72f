// Finds a top-level window by its title on the X display, checks the size
// of its client area and asks it to close the way a window manager's close
// button does. Exit status 0 when the window was found with that size.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

namespace {

// Polls of the window tree before giving up: the program may still be
// starting.
constexpr int kAttempts = 300;
constexpr useconds_t kPause = 100000;

// The UTF-8 title the toolkit sets, else the legacy one, which holds
// Latin-1 only.
std::string WindowName(Display* display, Window window) {
  XTextProperty property{};
  const Atom utf8Name = XInternAtom(display, "_NET_WM_NAME", False);
  if (XGetTextProperty(display, window, &property, utf8Name) != 0 && property.value != nullptr) {
    std::string text(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return text;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) {
    return {};
  }
  std::string text(name);
  XFree(name);
  return text;
}

std::optional<Window> FindByTitle(Display* display, Window parent, const std::string& title) {
  Window root;
  Window ignored;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, parent, &root, &ignored, &children, &count) == 0) {
    return std::nullopt;
  }
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    if (WindowName(display, children[i]) == title) {
      found = children[i];
    } else {
      found = FindByTitle(display, children[i], title);
    }
  }
  XFree(children);
  return found;
}

void RequestClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: " << argv[0] << " TITLE WIDTH HEIGHT\n";
    return 2;
  }
  const std::string title = argv[1];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cerr << "no X display\n";
    return 2;
  }
  std::optional<Window> window;
  for (int attempt = 0; attempt < kAttempts && !window; ++attempt) {
    window = FindByTitle(display, DefaultRootWindow(display), title);
    if (!window) {
      usleep(kPause);
    }
  }
  if (!window) {
    std::cerr << "no window titled \"" << title << "\"\n";
    return 1;
  }
  XWindowAttributes attributes;
  XGetWindowAttributes(display, *window, &attributes);
  std::cout << "\"" << title << "\": " << attributes.width << "x" << attributes.height << "\n";
  RequestClose(display, *window);
  XCloseDisplay(display);
  return attributes.width == std::atoi(argv[2]) && attributes.height == std::atoi(argv[3]) ? 0 : 1;
}
