// Saving survives being killed at any moment: save_loop saves two records by
// turns while we SIGKILL it after a random delay. After every kill the file
// holds one of the two whole, so it loads as saved, never as the defaults.
#include "settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fake_view.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Saver {
  pid_t pid = -1;
  int ready = -1;  // save_loop's standard output
};

Saver StartSaver(const fs::path& path, const std::string (&records)[2]) {
  Saver saver;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return saver;
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  std::string args[] = {SAVE_LOOP_PATH, path.string(), records[0], records[1]};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), nullptr};
  if (::posix_spawn(&saver.pid, SAVE_LOOP_PATH, &actions, nullptr, argv, environ) != 0)
    saver.pid = -1;
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  saver.ready = pipeFds[0];
  return saver;
}

// Whether the saver reported its first save within ten seconds.
bool WaitUntilRunning(const Saver& saver) {
  pollfd wait = {saver.ready, POLLIN, 0};
  char byte;
  return ::poll(&wait, 1, 10000) == 1 && ::read(saver.ready, &byte, 1) == 1;
}

TEST(SaveSettings, SurvivesSigkillAtAnyMoment) {
  constexpr int kRounds = 500;
  constexpr auto kTimeLimit = std::chrono::minutes(3);
  const LaunchSettings records[2] = {{1, 0, 1, 3, 2}, {2, 1, 0, 0, 3}};
  const std::string texts[2] = {FormatSettingsRecord(records[0]), FormatSettingsRecord(records[1])};
  TempFolder folder;
  const fs::path path = folder / "norvan.cfg";
  folder.Write("norvan.cfg", texts[1]);

  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  // A save takes well under a millisecond, most of it in fsync: this spreads
  // the kills over the first several saves and every step within them.
  std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
  int rounds = 0, found[2] = {0, 0};
  const Clock::time_point start = Clock::now();
  for (; rounds < kRounds && Clock::now() - start < kTimeLimit; ++rounds) {
    const Saver saver = StartSaver(path, texts);
    ASSERT_GT(saver.pid, 0);
    const bool running = WaitUntilRunning(saver);
    if (running) std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(saver.pid, SIGKILL);
    int status = 0;
    ::waitpid(saver.pid, &status, 0);
    ::close(saver.ready);
    ASSERT_TRUE(running) << "round " << rounds << ": no first save";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "round " << rounds << ": the saver stopped by itself";

    const std::string text = folder.Read("norvan.cfg");
    ASSERT_TRUE(text == texts[0] || text == texts[1]) << "round " << rounds << ": " << text;
    const int which = text == texts[1];
    ++found[which];
    FakeView view;
    LoadSettings(view, path);
    ASSERT_EQ(ReadLaunchSettings(view), records[which]) << "round " << rounds;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  // A kill between creating the temporary file and the rename leaves it behind.
  const long midSave = std::distance(fs::directory_iterator(folder.path()), {}) - 1;
  std::printf(
      "kill test: %d rounds in %.1f s (seed %u): %d found the first record, %d the "
      "second; %ld struck within a save\n",
      rounds, seconds, seed, found[0], found[1], midSave);
  EXPECT_EQ(rounds, kRounds) << "out of time";
}

}  // namespace
