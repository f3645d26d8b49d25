#pragma once
// The program's command line: where the plan service answers and where the
// program keeps its files.

#include <QString>
#include <QStringList>
#include <filesystem>

namespace plandesk {

inline constexpr const char* default_service_url = "http://127.0.0.1:8765";

struct ProgramOptions {
  std::string service_url = default_service_url;  // scheme, host, port; no trailing slash
  std::filesystem::path data_dir;                 // the per-user data folder unless given
};

struct CommandLine {
  enum class Action { run, show_help, show_version, refuse };
  Action action = Action::run;
  ProgramOptions options;
  QString text;  // help or version text, or why the line was refused
};

// `arguments` as QCoreApplication::arguments() gives them (program first).
// `default_data_dir` is used when --data-dir is not given.
CommandLine parse_command_line(const QStringList& arguments, const std::filesystem::path& default_data_dir);

// The service URL as requests are built from it: "http://host:port" with no
// path and no trailing slash; a missing port is made explicit. Empty when the
// text is not such a URL.
std::string normalise_service_url(const QString& text);

}  // namespace plandesk
