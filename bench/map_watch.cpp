#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// Starts a program and times, on the X server, how long it takes until its main window is
// mapped and until the message box that Alt+L brings up is mapped. It plays the user: once the
// main window is mapped it focuses it and types Alt+L; once the box is mapped, Enter. Prints
// the two times in milliseconds. Before the start the pointer is put where it rests: `away`, in
// the screen's bottom right corner, off every window, or `over`, at the screen's centre, where
// both programs open their window, as when a window opens under the pointer that started it from
// a file manager. Usage: map_watch away|over MAIN-TITLE BOX-TITLE PROGRAM [ARGS...]

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string Title(Display* display, Window window) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

pid_t Spawn(std::vector<const char*> arguments) {
  arguments.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, arguments[0], nullptr, nullptr, const_cast<char**>(arguments.data()),
                   environ) != 0) {
    std::perror(arguments[0]);
    return -1;
  }
  return pid;
}

// Gives the window the keyboard focus, as there is no window manager, and types `keys` without
// waiting, so that the next map is timed when it happens.
pid_t TypeInto(Display* display, Window window, const char* keys) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
  return Spawn({"xdotool", "key", keys});
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool pointer_over = argc >= 2 && std::strcmp(argv[1], "over") == 0;
  if (argc < 5 || (!pointer_over && std::strcmp(argv[1], "away") != 0)) {
    std::fprintf(stderr, "usage: %s away|over MAIN-TITLE BOX-TITLE PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  const char* main_title = argv[2];
  const char* box_title = argv[3];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XWindowAttributes screen{};
  XGetWindowAttributes(display, root, &screen);
  const int pointer_x = pointer_over ? screen.width / 2 : screen.width - 1;
  const int pointer_y = pointer_over ? screen.height / 2 : screen.height - 1;
  XWarpPointer(display, None, root, 0, 0, 0, 0, pointer_x, pointer_y);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t program = Spawn(std::vector<const char*>(argv + 4, argv + argc));
  if (program < 0) {
    return 2;
  }
  double window_mapped = -1;
  double box_mapped = -1;
  std::vector<pid_t> typists;
  while (box_mapped < 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify || event.xmap.override_redirect) {
      continue;
    }
    const std::string title = Title(display, event.xmap.window);
    if (window_mapped < 0 && title == main_title) {
      window_mapped = MillisecondsSince(start);
      typists.push_back(TypeInto(display, event.xmap.window, "alt+l"));
    } else if (window_mapped >= 0 && title == box_title) {
      box_mapped = MillisecondsSince(start);
      typists.push_back(TypeInto(display, event.xmap.window, "Return"));
    }
  }
  for (const pid_t typist : typists) {
    waitpid(typist, nullptr, 0);
  }
  int status = 0;
  waitpid(program, &status, 0);
  std::printf("%.1f %.1f\n", window_mapped, box_mapped);
  XCloseDisplay(display);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
