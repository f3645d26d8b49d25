#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace plandesk {
namespace {

TEST(CommandLine, ServiceUrlBecomesSchemeHostAndPort) {
  struct Case {
    const char* given;
    const char* used;  // "" when refused
  } cases[] = {
      {"http://127.0.0.1:8765", "http://127.0.0.1:8765"},
      {"http://127.0.0.1:8765/", "http://127.0.0.1:8765"},
      {" http://plans.example.net ", "http://plans.example.net:80"},
      {"http://[::1]:9000", "http://[::1]:9000"},
      {"HTTP://Example.NET:81", "http://example.net:81"},
      {"https://plans.example.net", ""},  // the client speaks plain HTTP only
      {"http://plans.example.net/api", ""},
      {"http://plans.example.net:81/?x=1", ""},
      {"http://user:pw@plans.example.net", ""},
      {"127.0.0.1:8765", ""},
      {"http://", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(normalise_service_url(c.given), c.used) << c.given;
}

TEST(CommandLine, DefaultsAndChoices) {
  const std::filesystem::path fallback = "/home/u/.local/share/PlanDesk";
  const CommandLine plain = parse_command_line({"plandesk"}, fallback);
  EXPECT_EQ(plain.action, CommandLine::Action::run);
  EXPECT_EQ(plain.options.service_url, "http://127.0.0.1:8765");
  EXPECT_EQ(plain.options.data_dir, fallback);

  const CommandLine chosen = parse_command_line(
      {"plandesk", "--service-url=http://10.0.0.2:80/", "--data-dir", "/tmp/pd"}, fallback);
  EXPECT_EQ(chosen.action, CommandLine::Action::run);
  EXPECT_EQ(chosen.options.service_url, "http://10.0.0.2:80");
  EXPECT_EQ(chosen.options.data_dir, "/tmp/pd");

  EXPECT_EQ(parse_command_line({"plandesk", "--data-dir", ""}, fallback).action, CommandLine::Action::refuse);
  EXPECT_EQ(parse_command_line({"plandesk", "--data-dir"}, fallback).action, CommandLine::Action::refuse);
  const CommandLine help = parse_command_line({"plandesk", "--help"}, fallback);
  EXPECT_EQ(help.action, CommandLine::Action::show_help);
  EXPECT_TRUE(help.text.contains("/home/u/.local/share/PlanDesk")) << help.text.toStdString();
}

}  // namespace
}  // namespace plandesk
