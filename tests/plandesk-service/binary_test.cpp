// The built plandesk-service program itself: its options, its first line,
// serving, logging to standard output, and stopping on SIGTERM.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "stand_in_fixture.h"

extern char** environ;

namespace plandesk::stand_in::testing {
namespace {

// The program running as a child process, its standard output and error
// read into strings by a thread of their own.
class Child {
 public:
  explicit Child(const std::vector<std::string>& args) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    std::vector<std::string> all{PLANDESK_SERVICE_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, PLANDESK_SERVICE_BINARY, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    reader_ = std::thread([this, out_fd = out[0], err_fd = err[0]] { read_until_closed(out_fd, err_fd); });
  }

  ~Child() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      wait_for_exit();
    }
    if (reader_.joinable()) reader_.join();
  }

  bool started() const { return pid_ > 0; }

  // The first line of standard output, waiting for it (the guard only keeps
  // a broken program from hanging the suite).
  std::string first_line() {
    for (int i = 0; i < 2000; ++i) {
      {
        const std::lock_guard lock(mutex_);
        if (const auto end = out_.find('\n'); end != std::string::npos) return out_.substr(0, end);
        if (closed_) return out_;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds{5});
    }
    return {};
  }

  // Exit code, or 128 + signal number. A program that does not end within
  // the guard is killed, so a fault cannot hang the suite.
  int wait_for_exit() {
    int status = 0;
    pid_t done = 0;
    for (int i = 0; i < 3000 && done == 0; ++i) {
      done = waitpid(pid_, &status, WNOHANG);
      if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds{5});
    }
    if (done == 0) {
      ADD_FAILURE() << "the program did not end; killed";
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    exited_ = true;
    if (reader_.joinable()) reader_.join();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  int terminate() {
    kill(pid_, SIGTERM);
    return wait_for_exit();
  }

  std::string out() const {
    const std::lock_guard lock(mutex_);
    return out_;
  }
  std::string err() const {
    const std::lock_guard lock(mutex_);
    return err_;
  }

 private:
  void read_until_closed(int out_fd, int err_fd) {
    pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    int open_count = 2;
    char buffer[4096];
    while (open_count > 0) {
      if (poll(fds, 2, -1) < 0) break;
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || fds[i].revents == 0) continue;
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n <= 0) {
          close(fds[i].fd);
          fds[i].fd = -1;
          --open_count;
          continue;
        }
        const std::lock_guard lock(mutex_);
        (i == 0 ? out_ : err_).append(buffer, static_cast<std::size_t>(n));
      }
    }
    const std::lock_guard lock(mutex_);
    closed_ = true;
  }

  pid_t pid_ = -1;
  bool exited_ = false;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::string out_, err_;
  bool closed_ = false;
};

TEST(Program, HelpVersionAndBadOptions) {
  Child help({"--help"});
  ASSERT_TRUE(help.started());
  EXPECT_EQ(help.wait_for_exit(), 0);
  for (const std::string_view option : {"--port", "--data-dir", "--seed", "--draw-interval", "--manual-draws",
                                        "--start-date", "--utf8", "--version", "/control/draw", "demo123"})
    EXPECT_NE(help.out().find(option), std::string::npos) << option;

  Child version({"--version"});
  EXPECT_EQ(version.wait_for_exit(), 0);
  EXPECT_EQ(version.out().rfind("plandesk-service ", 0), 0u) << version.out();

  Child bad({"--port", "http"});
  EXPECT_EQ(bad.wait_for_exit(), 2);
  EXPECT_NE(bad.err().find("--port needs a number"), std::string::npos) << bad.err();
  EXPECT_EQ(bad.out(), "");
}

TEST(Program, ServesOnTheAnnouncedPortLogsAndStopsOnSigterm) {
  TempDir data;
  Child service(
      {"--port", "0", "--manual-draws", "--data-dir", (data.path() / "data").string(), "--seed", "11"});
  ASSERT_TRUE(service.started());
  const std::string first = service.first_line();
  const std::string prefix = "plandesk-service listening on 127.0.0.1:";
  ASSERT_EQ(first.rfind(prefix, 0), 0u) << first << service.err();
  const int port = std::stoi(first.substr(prefix.size()));
  ASSERT_GT(port, 0);

  EXPECT_EQ(http_get(port, "/control/health").body, "ok");
  EXPECT_EQ(http_get(port, "/chkuser.asp?username=demo&password=demo123").body, "willcome");
  const std::string drawn = http_get(port, "/control/draw?ssc=sd11x5").body;
  EXPECT_EQ(drawn.rfind("[10000061-", 0), 0u) << drawn;
  const std::string newest =
      http_get(port, "/getsj.asp?username=demo&password=demo123&softid=1&ssc=sd11x5&topnum=1").body;
  EXPECT_EQ(newest, drawn);

  EXPECT_EQ(service.terminate(), 0);
  EXPECT_TRUE(std::filesystem::exists(data.path() / "data" / "accounts.sqlite3"));
  const std::string out = service.out();
  EXPECT_NE(out.find(" GET /chkuser.asp?username=demo&password=*** 200\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("demo123"), std::string::npos) << out;
}

TEST(Program, RefusesAPortThatIsTaken) {
  RunningStandIn holder;
  TempDir data;
  Child second({"--port", std::to_string(holder.port()), "--data-dir", data.path().string()});
  EXPECT_EQ(second.wait_for_exit(), 1);
  EXPECT_NE(second.err().find("cannot listen on 127.0.0.1:" + std::to_string(holder.port())),
            std::string::npos)
      << second.err();
}

}  // namespace
}  // namespace plandesk::stand_in::testing
