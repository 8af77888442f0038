#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

// Asks a top-level window to close as a window manager does when the user presses the close box
// of its frame: a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. The end-to-end test runs
// without a window manager, and xdotool has no such request. Usage: x11_close_request WINDOW-ID
int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(argv[1], nullptr, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  // Closing the connection sends what is queued.
  XCloseDisplay(display);
  return sent != 0 ? 0 : 1;
}
