#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QUrl>

namespace plandesk {

std::string normalise_service_url(const QString& text) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid() || url.scheme() != "http" || url.host().isEmpty() || !url.userInfo().isEmpty() ||
      url.hasQuery() || url.hasFragment())
    return {};
  const QString path = url.path();
  if (!path.isEmpty() && path != "/") return {};
  QString host = url.host(QUrl::FullyEncoded);
  if (host.contains(':')) host = '[' + host + ']';  // an IPv6 address
  return QStringLiteral("http://%1:%2").arg(host).arg(url.port(80)).toStdString();
}

CommandLine parse_command_line(const QStringList& arguments, const std::filesystem::path& default_data_dir) {
  QCommandLineParser parser;
  parser.setApplicationDescription("PlanDesk: lottery plans from a plan service.");
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption service_url(
      "service-url", QStringLiteral("Base URL of the plan service (default %1).").arg(default_service_url),
      "url", default_service_url);
  const QCommandLineOption data_dir(
      "data-dir",
      QStringLiteral("Folder of the plan database, the settings and the saved login (default %1).")
          .arg(QString::fromStdString(default_data_dir.string())),
      "folder");
  parser.addOption(service_url);
  parser.addOption(data_dir);

  CommandLine line;
  if (!parser.parse(arguments)) {
    line.action = CommandLine::Action::refuse;
    line.text = parser.errorText();
    return line;
  }
  if (parser.isSet(help)) {
    line.action = CommandLine::Action::show_help;
    line.text = parser.helpText().replace("<executable_name>", "plandesk");
    return line;
  }
  if (parser.isSet(version)) {
    line.action = CommandLine::Action::show_version;
    line.text = QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion();
    return line;
  }
  if (!parser.positionalArguments().isEmpty()) {
    line.action = CommandLine::Action::refuse;
    line.text = "unexpected argument: " + parser.positionalArguments().first();
    return line;
  }
  line.options.service_url = normalise_service_url(parser.value(service_url));
  if (line.options.service_url.empty()) {
    line.action = CommandLine::Action::refuse;
    line.text =
        "--service-url needs an address like http://127.0.0.1:8765, not: " + parser.value(service_url);
    return line;
  }
  line.options.data_dir =
      parser.isSet(data_dir) ? std::filesystem::path(parser.value(data_dir).toStdString()) : default_data_dir;
  if (line.options.data_dir.empty()) {
    line.action = CommandLine::Action::refuse;
    line.text = "--data-dir needs a folder";
  }
  return line;
}

}  // namespace plandesk
