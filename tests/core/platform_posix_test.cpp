// SPDX-License-Identifier: GPL-3.0-or-later
// What only POSIX systems have: FIFOs and devices under the settings file's
// name, the program search by permission, the start by fork and exec with the
// terminal inherited or a terminal window, SIGKILL.
#include <cerrno>
#include <csignal>
#include <optional>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

TEST(LoadSettings, NonRegularFilesFallBackWithoutBlocking) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
  fs::create_directory(folder / "folder");
  const std::pair<const char*, const char*> links[] = {
      {"zero", "/dev/zero"}, {"tty", "/dev/tty"}, {"loop", "loop"}, {"dangling", "missing"}};
  for (const auto& [name, target] : links) fs::create_symlink(target, folder / name);
  for (const char* name : {"fifo", "folder", "zero", "tty", "loop", "dangling"})
    EXPECT_EQ(Loaded(folder / name), LaunchSettings{}) << name;
}

TEST(SaveSettings, KeepsPermissionsAndReplacesLinksWithoutWritingThroughThem) {
  TempFolder folder;
  folder.Write("norvan.cfg", "");
  // Only root may give a file away; anyone else keeps their own.
  const uid_t owner = ::geteuid() == 0 ? 4321 : ::geteuid();
  const gid_t group = ::geteuid() == 0 ? 4321 : ::getegid();
  ASSERT_EQ(::chown((folder / "norvan.cfg").c_str(), owner, group), 0);
  for (const mode_t mode : {0600, 0640, 0664}) {
    ASSERT_EQ(::chmod((folder / "norvan.cfg").c_str(), mode), 0);
    ASSERT_TRUE(SaveSettings(FakeView(), folder / "norvan.cfg"));
    struct stat info;
    ASSERT_EQ(::stat((folder / "norvan.cfg").c_str(), &info), 0);
    EXPECT_EQ(std::tuple(info.st_mode & 07777, info.st_uid, info.st_gid),
              std::tuple(mode, owner, group));
  }
  // A link planted under the name is read through, but a save replaces it.
  folder.Write("elsewhere", "1,0,1,3,2\r\n");
  fs::remove(folder / "norvan.cfg");
  fs::create_symlink("elsewhere", folder / "norvan.cfg");
  EXPECT_EQ(Loaded(folder / "norvan.cfg"), Settings(1, 0, 1, 3, 2));
  ASSERT_TRUE(SaveSettings(FakeView(Settings(2, 2, 2, 0, 3)), folder / "norvan.cfg"));
  EXPECT_FALSE(fs::is_symlink(folder / "norvan.cfg"));
  EXPECT_EQ(folder.Read("norvan.cfg"), "2,2,2,0,3\r\n");
  EXPECT_EQ(folder.Read("elsewhere"), "1,0,1,3,2\r\n");
  // A save in progress in another running process (here init's) is left alone.
  folder.Write(".norvan.cfg.1.1.tmp", "");
  ASSERT_TRUE(SaveSettings(FakeView(), folder / "norvan.cfg"));
  EXPECT_TRUE(fs::exists(folder / ".norvan.cfg.1.1.tmp"));
}

// PATH, and standard input, as given, for the object's lifetime.
class Surroundings {
 public:
  Surroundings(const std::string& path, int input) : input_(::dup(0)) {
    if (const char* value = ::getenv("PATH")) path_ = value;
    ::setenv("PATH", path.c_str(), 1);
    ::dup2(input, 0);
  }
  ~Surroundings() {
    path_ ? ::setenv("PATH", path_->c_str(), 1) : ::unsetenv("PATH");
    ::dup2(input_, 0);
    ::close(input_);
  }

 private:
  std::optional<std::string> path_;
  int input_;
};

// A pseudo-terminal's far end, as a terminal window gives its program.
struct PseudoTerminal {
  PseudoTerminal() {
    if (near >= 0 && ::grantpt(near) == 0 && ::unlockpt(near) == 0)
      far = ::open(::ptsname(near), O_RDWR | O_NOCTTY);
  }
  ~PseudoTerminal() {
    ::close(far);
    ::close(near);
  }
  int near = ::posix_openpt(O_RDWR | O_NOCTTY), far = -1;
};

TEST_F(RealStart, FindsTheFirstExecutableFileOfTheExactName) {
  EXPECT_EQ(SearchFolders("/opt/norvan", "/usr/bin::/bin"),
            (std::vector<fs::path>{"/opt/norvan", ".", "/usr/bin", ".", "/bin"}));
  fs::create_directories("a/O2EM.EXE");
  fs::create_directory("b");
  folder.Write("b/O2EM.EXE", "not executable");
  EXPECT_EQ(FindProgram("O2EM.EXE", {"a", "b", "."}), fs::path("./O2EM.EXE"));
  EXPECT_EQ(FindProgram("o2em.exe", {"a", "b", "."}), fs::path());
  // The start fails, rather than seeming to succeed, for a program that cannot
  // run and for none at all.
  Surroundings nowhere("/nonexistent", 0);
  folder.Write("O2EM.EXE", "\177ELF broken");  // still executable, but exec fails
  EXPECT_FALSE(starter.Start({"GAME.BIN", ""}));
  fs::remove("O2EM.EXE");
  EXPECT_FALSE(starter.Start({"GAME.BIN", ""}));
}

// Started from a terminal, debug mode's debugger finds that terminal.
TEST_F(RealStart, TheNameArrivesAsOneArgumentWithNoShellAndNoZombie) {
  const std::string names[] = {
      "My Game.bin",
      "a  b   c.bin",
      " lead.bin",
      "Munchkin's (USA, Europe) & Co!.bin",
      "tab\there.bin",
      "\"a b\" c\\ d.bin",
      "a;touch x;$(touch y)`touch z`*.bin",
      "-rf.bin",
      "caf\xE9\x01.bin",
  };
  const PseudoTerminal terminal;
  ASSERT_GE(terminal.far, 0);
  const Surroundings fromATerminal("", terminal.far);
  // What a shell or tool that started the launcher ignores is not passed on.
  std::signal(SIGINT, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  for (const std::string& name : names) {
    ASSERT_TRUE(starter.Start({name, " -debug -s1=3 -s2=2  "})) << name;
    EXPECT_EQ(TakeRecord(),
              (std::vector<std::string>{fs::current_path().string(), "O2EM.EXE", name, "-debug",
                                        "-s1=3", "-s2=2", "ignored:", "input: terminal"}))
        << name;
  }
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGPIPE, SIG_DFL);
  for (const char* planted : {"x", "y", "z"}) EXPECT_FALSE(fs::exists(planted));
  // Every process forked was reaped; the emulator belongs to init.
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

// Started from a desktop, debug mode runs the emulator in a terminal window:
// the first terminal in the absolute folders of PATH, never one in the game
// folder, starts it in the game folder, each word as it is, the emulator by a
// path that env cannot take for a variable, whatever the folder's name.
TEST_F(RealStart, DebugModeWithoutATerminalOpensATerminalWindow) {
  fs::create_directory("Odyssey2 = Videopac");
  fs::rename("O2EM.EXE", "Odyssey2 = Videopac/O2EM.EXE");
  const WorkingFolder inGames(folder / "Odyssey2 = Videopac");
  const std::string here = fs::current_path().string(), game = "Munchkin's (USA, Europe).bin";
  fs::create_directory("a");
  fs::create_directory("b");
  for (const char* terminal : {"a/xterm", "b/x-terminal-emulator", "x-terminal-emulator"})
    fs::copy_file("O2EM.EXE", terminal);
  const std::vector<std::string> inTerminal = {"-e", "/usr/bin/env", "-C",    here,   "./O2EM.EXE",
                                               game, "-debug",       "-s1=1", "-s2=0"};
  const auto record = [&](const char* program, std::vector<std::string> words) {
    words.insert(words.begin(), {here, program});
    words.insert(words.end(), {"ignored:", "input: no terminal"});
    return words;
  };
  const std::tuple<std::string, const char*, std::vector<std::string>> cases[] = {
      // PATH, options, what is started (nothing: the start fails)
      {here + "/a:" + here + "/b", " -debug -s1=1 -s2=0  ",
       record("x-terminal-emulator", inTerminal)},
      {here + "/a", " -debug -s1=1 -s2=0  ", record("xterm", inTerminal)},
      {":.:a:b", " -debug -s1=1 -s2=0  ", {}},
      {"", "  -s1=1 -s2=0  ", record("O2EM.EXE", {game, "-s1=1", "-s2=0"})},
  };
  const int noInput = ::open("/dev/null", O_RDONLY);
  for (const auto& [path, options, started] : cases) {
    const Surroundings fromADesktop(path, noInput);
    EXPECT_EQ(starter.Start({game, options}), !started.empty()) << path;
    if (started.empty()) continue;
    EXPECT_EQ(TakeRecord(), started) << path;
  }
  ::close(noInput);
  EXPECT_FALSE(fs::exists("args"));
}

// A child saves two records by turns until killed after a random delay; the
// file must then hold one of them whole.
TEST(SaveSettings, SurvivesSigkillAtAnyMoment) {
  const LaunchSettings records[2] = {Settings(1, 0, 1, 3, 2), Settings(2, 1, 0, 0, 3)};
  TempFolder folder;
  folder.Write("norvan.cfg", FormatSettingsRecord(records[1]));
  std::mt19937 random(std::random_device{}());
  for (int round = 0; round < 100; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t saver = ::fork();
    if (saver == 0) {
      for (unsigned saves = 0; SaveSettings(FakeView(records[saves % 2]), folder / "norvan.cfg");)
        if (saves++ == 0 && ::write(ready[1], "!", 1) != 1) break;
      ::_exit(1);
    }
    ASSERT_GT(saver, 0);
    ::close(ready[1]);
    char byte;
    const bool running = ::read(ready[0], &byte, 1) == 1;  // 0 if the saver ended
    // A save takes well under a millisecond, most of it in fsync: this spreads
    // the kills over the first several saves and every step within them.
    const int delay = std::uniform_int_distribution(0, 4000)(random);
    if (running) std::this_thread::sleep_for(std::chrono::microseconds(delay));
    ::kill(saver, SIGKILL);
    int status = 0;
    ::waitpid(saver, &status, 0);
    ::close(ready[0]);
    ASSERT_TRUE(running && WIFSIGNALED(status)) << "round " << round << ": the saver stopped";
    const std::string text = folder.Read("norvan.cfg");
    ASSERT_TRUE(text == FormatSettingsRecord(records[0]) ||
                text == FormatSettingsRecord(records[1]))
        << "round " << round << ": " << text;
    // A kill between creating the temporary file and the rename leaves it
    // behind, until the next save removes it: there is never more than one.
    ASSERT_LE(std::distance(fs::directory_iterator(folder.path), {}), 2) << "round " << round;
  }
}
