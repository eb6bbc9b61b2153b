// SPDX-License-Identifier: GPL-3.0-or-later
// Times ListGames (scan, match and sort) beside the least any listing costs:
// reading the folder's names into a vector. The two run alternately, so that
// both meet the same cache and machine load, and the medians are compared.
// Each call runs in a child process of its own, as at a program's start: in
// one process, each call would take memory in whatever state the calls
// before left it, which moves the figures by half or more.
//
//   game_list_bench --make FOLDER GAMES OTHERS   creates a folder to measure
//   game_list_bench [--rounds N] FOLDER          measures it
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game_list.h"
#include "platform.h"

namespace fs = std::filesystem;
using norvan::GameList;

namespace {

using Clock = std::chrono::steady_clock;

// ListGames' time at most this many times the plain read's.
constexpr double kGoal = 1.5;

// A made-up, varied name: several words and a number, the extension in one of
// the spellings people use, so that sorting compares like real names do.
std::string GameName(std::mt19937& random, long serial) {
  static const char* const kWords[] = {"Space",  "Alien",  "Invaders", "Race", "Quest",   "Castle",
                                       "Robot",  "Dragon", "Golf",     "Maze", "Pinball", "Chess",
                                       "Cosmic", "Turtle", "Monkey",   "Tank", "Lunar",   "Ninja"};
  static const char* const kExtensions[] = {".bin", ".BIN", ".Bin"};
  auto pick = [&](auto& list) { return list[random() % std::size(list)]; };
  std::string name = pick(kWords);
  name += ' ';
  name += pick(kWords);
  name += ' ' + std::to_string(serial) + pick(kExtensions);
  return name;
}

int Make(const fs::path& folder, long games, long others) {
  fs::create_directories(folder);
  std::mt19937 random(2024);
  for (long i = 0; i < games; ++i) std::ofstream(folder / GameName(random, i));
  for (long i = 0; i < others; ++i) {
    // Near misses for the pattern, and a few folders the list must pass over.
    const std::string name = GameName(random, games + i);
    if (i % 100 == 0)
      fs::create_directory(folder / name);
    else
      std::ofstream(folder / (name + (i % 2 ? ".txt" : ".bak")));
  }
  std::printf("made %s: %ld games among %ld entries\n", folder.c_str(), games, games + others);
  return 0;
}

std::vector<std::string> PlainRead(const fs::path& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What `measure` returns, run in a child process.
double InChildProcess(const std::function<double()>& measure) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    const double result = measure();
    const bool written = ::write(pipeEnds[1], &result, sizeof result) == sizeof result;
    ::_exit(written ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  double result = -1;
  if (child < 0 || ::read(pipeEnds[0], &result, sizeof result) != sizeof result) result = -1;
  ::close(pipeEnds[0]);
  if (child > 0) ::waitpid(child, nullptr, 0);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Measure(const fs::path& folder, int rounds) {
  std::vector<double> listTimes, readTimes, sortTimes;
  // The first round only warms the caches.
  for (int round = 0; round <= rounds; ++round) {
    const double listed = InChildProcess([&] {
      GameList list;
      return Milliseconds([&] { list = norvan::ListGames(folder); });
    });
    const double read = InChildProcess([&] {
      std::vector<std::string> names;
      return Milliseconds([&] { names = PlainRead(folder); });
    });
    // Where the sort's share lies: the same games in the folder's order.
    const double sorted = InChildProcess([&] {
      GameList games = norvan::ListFiles(folder, norvan::MatchesGamePattern);
      return Milliseconds([&] { norvan::SortGames(games); });
    });
    if (listed < 0 || read < 0 || sorted < 0) return 1;
    if (round == 0) continue;
    listTimes.push_back(listed);
    readTimes.push_back(read);
    sortTimes.push_back(sorted);
  }
  const std::size_t games = norvan::ListGames(folder).size(), entries = PlainRead(folder).size();
  if (entries == 0) {
    std::fprintf(stderr, "game_list_bench: cannot read %s\n", folder.c_str());
    return 1;
  }
  const double list = Median(listTimes), read = Median(readTimes);
  std::printf("Game list: %zu games among %zu entries, median of %d rounds, alternating\n", games,
              entries, rounds);
  std::printf("  plain read of the names (readdir)  %8.2f ms\n", read);
  std::printf("  ListGames (scan + sort)            %8.2f ms   (its sort alone: %.2f ms)\n", list,
              Median(sortTimes));
  std::printf("  ratio ListGames / plain read       %8.2fx   goal <= %.1fx: %s\n", list / read,
              kGoal, list <= kGoal * read ? "met" : "MISSED");
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: game_list_bench --make FOLDER GAMES OTHERS\n"
               "       game_list_bench [--rounds N] FOLDER\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "--make")
    return Make(args[1], std::atol(args[2].c_str()), std::atol(args[3].c_str()));
  if (args.size() == 1) return Measure(args[0], 9);
  if (args.size() == 3 && args[0] == "--rounds" && std::atoi(args[1].c_str()) > 0)
    return Measure(args[2], std::atoi(args[1].c_str()));
  return Usage();
}
