// plandesk-service: runs the stand-in of the plan service until SIGINT or
// SIGTERM.

#include <signal.h>

#include <iostream>
#include <thread>

#include "plandesk-service/options.h"
#include "plandesk-service/stand_in_server.h"

int main(int argc, char** argv) {
  using namespace plandesk::stand_in;
  std::vector<std::string_view> args(argv + 1, argv + argc);
  CommandLine line = parse_command_line(args);
  if (!line.ok) {
    std::cerr << "plandesk-service: " << line.error << "\nTry plandesk-service --help\n";
    return 2;
  }
  if (line.help) {
    std::cout << usage_text();
    return 0;
  }
  if (line.version) {
    std::cout << version_text();
    return 0;
  }

  // Signals are taken by one thread with sigwait, which may stop the server;
  // a handler could not. They are blocked before any other thread starts.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  line.settings.log = &std::cout;
  StandInServer server(line.settings);
  if (!server.ok()) {
    std::cerr << "plandesk-service: " << server.error() << "\n";
    return 1;
  }
  const int port = server.bind(line.port);
  if (port < 0) {
    std::cerr << "plandesk-service: cannot listen on 127.0.0.1:" << line.port << "\n";
    return 1;
  }
  std::cout << "plandesk-service listening on 127.0.0.1:" << port << std::endl;

  std::thread signal_waiter([&server, &signals] {
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
  });
  server.run();
  // run() may also end on its own; wake the waiter so it can be joined.
  pthread_kill(signal_waiter.native_handle(), SIGTERM);
  signal_waiter.join();
  return 0;
}
