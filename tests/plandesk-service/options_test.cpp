// The command line of plandesk-service.

#include "plandesk-service/options.h"

#include <gtest/gtest.h>

namespace plandesk::stand_in {
namespace {

TEST(CommandLine, DefaultsAndEveryOptionInBothForms) {
  const CommandLine defaults = parse_command_line({});
  ASSERT_TRUE(defaults.ok);
  EXPECT_EQ(defaults.port, 8765);
  EXPECT_EQ(defaults.settings.data_dir, "plandesk-service-data");
  EXPECT_EQ(defaults.settings.draw_interval, std::chrono::seconds{60});
  EXPECT_FALSE(defaults.settings.manual_draws);
  EXPECT_FALSE(defaults.settings.utf8);
  EXPECT_FALSE(defaults.settings.start_day.has_value());

  const CommandLine line =
      parse_command_line({"--port", "0", "--data-dir=/tmp/x", "--seed", "42", "--draw-interval=5",
                          "--manual-draws", "--utf8", "--start-date", "20160229"});
  ASSERT_TRUE(line.ok) << line.error;
  EXPECT_EQ(line.port, 0);
  EXPECT_EQ(line.settings.data_dir, "/tmp/x");
  EXPECT_EQ(line.settings.seed, 42u);
  EXPECT_EQ(line.settings.draw_interval, std::chrono::seconds{5});
  EXPECT_TRUE(line.settings.manual_draws);
  EXPECT_TRUE(line.settings.utf8);
  EXPECT_EQ(
      line.settings.start_day,
      (std::chrono::year_month_day{std::chrono::year{2016}, std::chrono::February, std::chrono::day{29}}));
  EXPECT_TRUE(parse_command_line({"-h"}).help);
  EXPECT_TRUE(parse_command_line({"--version"}).version);
}

TEST(CommandLine, BadOptionsAreRefusedWithTheReason) {
  struct Case {
    std::vector<std::string_view> args;
    std::string_view error_part;
  } cases[] = {
      {{"--port"}, "--port needs a value"},
      {{"--port", "65536"}, "--port needs a number from 0 to 65535"},
      {{"--port", "-1"}, "--port needs a number"},
      {{"--port=80x"}, "--port needs a number"},
      {{"--seed", "-3"}, "--seed needs"},
      {{"--draw-interval", "0"}, "--draw-interval needs seconds"},
      {{"--start-date", "20150230"}, "--start-date needs a day"},
      {{"--start-date", "2015-03-01"}, "--start-date needs a day"},
      {{"--data-dir="}, "--data-dir needs a folder"},
      {{"--utf8=yes"}, "takes no value"},
      {{"--verbose"}, "unknown option \"--verbose\""},
      {{"8765"}, "unknown option \"8765\""},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse_command_line(c.args);
    EXPECT_FALSE(line.ok) << c.error_part;
    EXPECT_NE(line.error.find(c.error_part), std::string::npos) << line.error;
  }
}

}  // namespace
}  // namespace plandesk::stand_in
