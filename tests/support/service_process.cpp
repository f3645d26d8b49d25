#include "support/service_process.h"

#include <QRegularExpression>

#include "service/http_request.h"
#include "text/gbk.h"

namespace plandesk::testing {

ServiceProcess::ServiceProcess(const QString& binary, const std::filesystem::path& data_dir) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(binary,
                 {"--port", "0", "--manual-draws", "--data-dir", QString::fromStdString(data_dir.string())});
  // The first line names the port; the bound only keeps a broken program
  // from hanging the suite.
  while (!process_.canReadLine() && process_.waitForReadyRead(20000)) {
  }
  const QString first = QString::fromUtf8(process_.readLine());
  const auto match = QRegularExpression(R"(listening on 127\.0\.0\.1:(\d+))").match(first);
  if (match.hasMatch()) port_ = match.captured(1).toInt();
  // Its request log keeps coming on standard output; nobody reads it.
  process_.setReadChannel(QProcess::StandardOutput);
  QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { process_.readAll(); });
}

ServiceProcess::~ServiceProcess() {
  process_.terminate();
  if (!process_.waitForFinished(10000)) process_.kill();
  process_.waitForFinished(10000);
}

std::string ServiceProcess::draw(const std::string& ssc, int count) const {
  return gbk_to_utf8(
      http_get_text(base_url() + "/control/draw?ssc=" + ssc + "&count=" + std::to_string(count)));
}

std::string ServiceProcess::issue_of(const std::string& record) {
  const auto open = record.find('[');
  const auto dash = record.find('-', open);
  return open == std::string::npos || dash == std::string::npos ? ""
                                                                : record.substr(open + 1, dash - open - 1);
}

}  // namespace plandesk::testing
