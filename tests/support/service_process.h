#pragma once
// plandesk-service running as a child process on a free port of 127.0.0.1,
// with draws made only on request and its own data folder.

#include <QProcess>
#include <filesystem>
#include <string>

namespace plandesk::testing {

class ServiceProcess {
 public:
  ServiceProcess(const QString& binary, const std::filesystem::path& data_dir);
  ~ServiceProcess();
  ServiceProcess(const ServiceProcess&) = delete;
  ServiceProcess& operator=(const ServiceProcess&) = delete;

  bool running() const { return port_ > 0; }
  std::string base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // Adds `count` draws of a lottery (its request code, "cqssc"); returns the
  // service's reply: the newest record, "[issue-numbers]".
  std::string draw(const std::string& ssc, int count = 1) const;
  // The issue of a "[issue-numbers]" record.
  static std::string issue_of(const std::string& record);

 private:
  QProcess process_;
  int port_ = 0;
};

}  // namespace plandesk::testing
