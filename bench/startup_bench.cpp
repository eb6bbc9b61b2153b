// SPDX-License-Identifier: GPL-3.0-or-later
// Times programs from their start to their first top-level window mapped, and
// takes their resident memory at that moment. The X server reports the map:
// we listen for MapNotify on the root window (the top-level windows are its
// children, no window manager reparents them) before starting the program,
// so nothing is polled. Cases run alternately, round after round, and their
// medians are compared: each with the first case, and each that has goals
// with its own yardstick case (time) or with the first case (memory).
//
//   startup_bench [--rounds N]
//                 --case LABEL FOLDER PROGRAM
//                 [--time-goal YARDSTICK_LABEL RATIO] [--memory-goal-mb MB] ...
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
  std::string label, folder, program;
  std::string yardstick;  // the case whose time this one's is held to, if any
  double timeGoal = 0, memoryGoal = 0;
  std::vector<double> milliseconds, megabytes;
};

struct Sample {
  double milliseconds, megabytes;
};

// The window may be gone before we ask about it; that is no error here.
int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

std::optional<long> WindowPid(Display* display, Window window) {
  static const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::optional<long> pid;
  if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data && format == 32 && count == 1)
    pid = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return pid;
}

double ResidentMegabytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

std::optional<Sample> RunOnce(Display* display, const Case& c) {
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);  // listening before the start, with no stale events

  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (::chdir(c.folder.c_str()) == 0) ::execl(c.program.c_str(), c.program.c_str(), nullptr);
    ::_exit(127);
  }

  std::optional<Sample> sample;
  const int fd = ConnectionNumber(display);
  while (!sample) {
    if (!XPending(display)) {
      // Waits for the server; wakes now and then only to notice a program
      // that died before it showed a window.
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(fd, &readable);
      timeval timeout{1, 0};
      if (::select(fd + 1, &readable, nullptr, nullptr, &timeout) == 0 &&
          ::waitpid(pid, nullptr, WNOHANG) == pid) {
        std::fprintf(stderr, "startup_bench: %s ended before showing a window\n",
                     c.program.c_str());
        return std::nullopt;
      }
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify || event.xmap.event != root) continue;
    if (WindowPid(display, event.xmap.window) != pid) continue;
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    sample = Sample{elapsed, ResidentMegabytes(pid)};
  }
  XSelectInput(display, root, NoEventMask);
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Usage() {
  std::fprintf(stderr,
               "usage: startup_bench [--rounds N]\n"
               "                     --case LABEL FOLDER PROGRAM\n"
               "                     [--time-goal YARDSTICK_LABEL RATIO] [--memory-goal-mb MB] "
               "...\n");
  return 2;
}

const char* Verdict(bool met) {
  return met ? "met" : "MISSED";
}

void PrintFigures(const std::vector<Case>& cases, int rounds) {
  const double firstTime = Median(cases[0].milliseconds);
  const double firstMemory = Median(cases[0].megabytes);
  std::printf("Start-up to window mapped, median of %d rounds, alternating:\n", rounds);
  for (const Case& c : cases) {
    const double time = Median(c.milliseconds), memory = Median(c.megabytes);
    std::printf("  %-36s %8.1f ms %6.2fx   RSS %6.1f MB %+6.1f MB\n", c.label.c_str(), time,
                time / firstTime, memory, memory - firstMemory);
  }
}

void PrintGoals(const std::vector<Case>& cases) {
  const double firstMemory = Median(cases[0].megabytes);
  std::printf("Goals:\n");
  for (const Case& c : cases) {
    if (c.timeGoal > 0) {
      const auto yardstick = std::find_if(cases.begin(), cases.end(), [&](const Case& other) {
        return other.label == c.yardstick;
      });
      const double ratio = Median(c.milliseconds) / Median(yardstick->milliseconds);
      std::printf("  %s / %s: %.2fx   goal <= %.1fx: %s\n", c.label.c_str(), c.yardstick.c_str(),
                  ratio, c.timeGoal, Verdict(ratio <= c.timeGoal));
    }
    if (c.memoryGoal > 0) {
      const double extra = Median(c.megabytes) - firstMemory;
      std::printf("  %s, memory over %s: %+.1f MB   goal <= %+.0f MB: %s\n", c.label.c_str(),
                  cases[0].label.c_str(), extra, c.memoryGoal, Verdict(extra <= c.memoryGoal));
    }
  }
}

bool HasCase(const std::vector<Case>& cases, const std::string& label) {
  return std::any_of(cases.begin(), cases.end(), [&](const Case& c) { return c.label == label; });
}

}  // namespace

int main(int argc, char* argv[]) {
  int rounds = 5;
  std::vector<Case> cases;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const int left = argc - i - 1;
    if (option == "--rounds" && left >= 1) {
      rounds = std::atoi(argv[++i]);
    } else if (option == "--case" && left >= 3) {
      cases.push_back({argv[i + 1], argv[i + 2], argv[i + 3], "", 0, 0, {}, {}});
      i += 3;
    } else if (option == "--time-goal" && left >= 2 && !cases.empty() &&
               HasCase(cases, argv[i + 1])) {
      cases.back().yardstick = argv[i + 1];
      cases.back().timeGoal = std::atof(argv[i + 2]);
      i += 2;
    } else if (option == "--memory-goal-mb" && left >= 1 && !cases.empty()) {
      cases.back().memoryGoal = std::atof(argv[++i]);
    } else {
      return Usage();
    }
  }
  if (cases.empty() || rounds < 1) return Usage();

  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "startup_bench: cannot open the X display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);

  // Round 0 warms the caches (fonts, libraries) and is not counted.
  for (int round = 0; round <= rounds; ++round) {
    for (Case& c : cases) {
      const std::optional<Sample> sample = RunOnce(display, c);
      if (!sample) return 1;
      if (round == 0) continue;
      c.milliseconds.push_back(sample->milliseconds);
      c.megabytes.push_back(sample->megabytes);
    }
  }
  XCloseDisplay(display);
  PrintFigures(cases, rounds);
  PrintGoals(cases);
  return 0;
}
