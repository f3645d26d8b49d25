// plandesk: log in to the plan service, then watch plans being made and
// settled.
//   plandesk [--service-url URL] [--data-dir FOLDER] [--help] [--version]

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>
#include <string>

#include "shell/command_line.h"
#include "shell/data_folder.h"
#include "shell/display_probe.h"
#include "shell/start_up.h"
#include "shell/termination.h"
#include "ui/message_box.h"

namespace {

QStringList arguments_of(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// Said on the terminal, and in a box when there is a screen to show it on.
void report_failure(const QString& text) {
  std::fprintf(stderr, "plandesk: %s\n", qPrintable(text));
  if (QGuiApplication::platformName() != "offscreen" && QGuiApplication::platformName() != "minimal")
    QMessageBox::critical(nullptr, "PlanDesk", text);
}

}  // namespace

int main(int argc, char** argv) {
  plandesk::catch_termination_signals();
  QCoreApplication::setApplicationName("PlanDesk");
  QCoreApplication::setApplicationVersion(PLANDESK_VERSION);

  // The command line is read before any window exists, so --help and
  // --version work without a display.
  const plandesk::CommandLine line = plandesk::parse_command_line(
      arguments_of(argc, argv),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
  switch (line.action) {
    case plandesk::CommandLine::Action::show_help:
    case plandesk::CommandLine::Action::show_version:
      std::printf("%s\n", qPrintable(line.text.trimmed()));
      return 0;
    case plandesk::CommandLine::Action::refuse:
      std::fprintf(stderr, "plandesk: %s\n", qPrintable(line.text));
      return 2;
    case plandesk::CommandLine::Action::run:
      break;
  }
  const plandesk::DisplayProbe display = plandesk::probe_display();
  if (!display.available) {
    const std::string what = display.display.empty() ? "no display (DISPLAY and WAYLAND_DISPLAY are empty)"
                                                     : "no display answers at DISPLAY=" + display.display;
    std::fprintf(stderr, "plandesk: %s; run it on a desktop, or under a virtual one: xvfb-run -a plandesk\n",
                 what.c_str());
    return 1;
  }

  QApplication app(argc, argv);
  QGuiApplication::setApplicationDisplayName("PlanDesk");
  QGuiApplication::setDesktopFileName("plandesk");
  // The login window closes before the main window opens; the program ends
  // when start-up says so, not when no window happens to be open.
  QApplication::setQuitOnLastWindowClosed(false);

  const plandesk::DataFolderStatus folder = plandesk::prepare_data_folder(line.options.data_dir);
  if (!folder.ok) {
    report_failure(QString::fromStdString(folder.error));
    return 1;
  }

  plandesk::QtMessageBox messages;
  plandesk::StartUp start_up(app, line.options, messages);
  QObject::connect(&start_up, &plandesk::StartUp::quit_requested, &app, [](int code, const QString& reason) {
    if (!reason.isEmpty()) report_failure(reason);
    QCoreApplication::exit(code);
  });
  plandesk::TerminationWatch termination;
  QObject::connect(&termination, &plandesk::TerminationWatch::requested, &start_up,
                   &plandesk::StartUp::close_program);
  start_up.run();
  return QApplication::exec();
}
