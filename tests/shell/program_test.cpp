// The built plandesk program itself: its command line, the missing display,
// and a login window closed without a login.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace plandesk {
namespace {

// The program as a child process with the environment given (and nothing
// else); its standard output and error go to files read after it ends.
class Program {
 public:
  Program(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
          const std::filesystem::path& folder)
      : out_(folder / "out.txt"), err_(folder / "err.txt") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all{PLANDESK_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<std::string> env_lines;
    for (const auto& [key, value] : env) env_lines.push_back(key + "=" + value);
    std::vector<char*> argv, envp;
    for (auto& a : all) argv.push_back(a.data());
    for (auto& e : env_lines) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, PLANDESK_BINARY, &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Program() {
    if (pid_ > 0 && status_ < 0) {
      ::kill(pid_, SIGKILL);
      wait();
    }
  }

  bool started() const { return pid_ > 0; }

  // True once the program catches SIGTERM: from then on a SIGTERM closes its
  // windows instead of cutting it off. The bound only keeps a broken program
  // from hanging the suite.
  bool catches_sigterm() const {
    for (int i = 0; i < 20000; ++i) {
      std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
      for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1)
          return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  void terminate() const { ::kill(pid_, SIGTERM); }

  // The exit code, or -1 when the program did not exit normally.
  int wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
  }
  std::string out() const { return read(out_); }
  std::string err() const { return read(err_); }

 private:
  static std::string read(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::filesystem::path out_, err_;
  pid_t pid_ = -1;
  int status_ = -1;
};

class ProgramTest : public ::testing::Test {
 protected:
  // `x_display`, when given, is put in DISPLAY.
  std::map<std::string, std::string> env(bool display, const std::string& x_display = {}) const {
    std::map<std::string, std::string> e{{"HOME", home.path().string()}, {"PATH", "/usr/bin:/bin"}};
    if (display) e["QT_QPA_PLATFORM"] = "offscreen";
    if (!x_display.empty()) e["DISPLAY"] = x_display;
    return e;
  }
  testing::TempDir home;
  testing::TempDir files;
};

TEST_F(ProgramTest, ClosingTheLoginWindowEndsWithNothingWritten) {
  const auto data = home.path() / "data";
  Program program({"--data-dir", data.string(), "--service-url", "http://127.0.0.1:1"}, env(true),
                  files.path());
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.catches_sigterm());
  program.terminate();  // closes the login window as its close box does
  EXPECT_EQ(program.wait(), 0) << program.err();
  EXPECT_TRUE(std::filesystem::is_directory(data));
  EXPECT_TRUE(std::filesystem::is_empty(data)) << "no plan database, settings or saved login";
}

TEST_F(ProgramTest, CommandLine) {
  struct Case {
    std::vector<std::string> args;
    bool display;
    int exit_code;
    std::string out;  // expected part of standard output
    std::string err;  // expected part of standard error
    std::string x_display = {};
  } cases[] = {
      {{"--help"}, false, 0, "--service-url <url>", ""},
      {{"--version"}, false, 0, "PlanDesk 0.1.0", ""},
      {{"--colour"}, true, 2, "", "Unknown option 'colour'"},
      {{"--service-url", "https://x.example/path"}, true, 2, "", "--service-url needs an address"},
      {{"extra"}, true, 2, "", "unexpected argument: extra"},
      {{}, false, 1, "", "xvfb-run -a"},
      // An X display that nobody serves: the same clear line, not the toolkit's abort.
      {{},
       false,
       1,
       "",
       "DISPLAY=:64999; run it on a desktop, or under a virtual one: xvfb-run -a",
       ":64999"},
      {{}, false, 1, "", "DISPLAY=unix:64999.0;", "unix:64999.0"},
      {{"--data-dir", "/dev/null"}, true, 1, "", "/dev/null"},
  };
  for (const auto& c : cases) {
    Program program(c.args, env(c.display, c.x_display), files.path());
    ASSERT_TRUE(program.started());
    const std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(program.wait(), c.exit_code) << what << ": " << program.err();
    EXPECT_NE(program.out().find(c.out), std::string::npos) << what << ": " << program.out();
    EXPECT_NE(program.err().find(c.err), std::string::npos) << what << ": " << program.err();
  }
}

}  // namespace
}  // namespace plandesk
