#include "plandesk-service/options.h"

#include <charconv>
#include <optional>

namespace plandesk::stand_in {
namespace {

template <typename Number>
std::optional<Number> number_in(std::string_view text, Number low, Number high) {
  Number value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string_view>& args) {
  CommandLine line;
  const auto fail = [&line](std::string message) {
    line.ok = false;
    line.error = std::move(message);
    return line;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> inline_value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
      inline_value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const auto flag = [&]() {
      if (inline_value) fail("option " + std::string(name) + " takes no value");
      return line.ok;
    };
    const auto value = [&]() -> std::optional<std::string_view> {
      if (inline_value) return inline_value;
      if (i + 1 < args.size()) return args[++i];
      fail("option " + std::string(name) + " needs a value");
      return std::nullopt;
    };

    if (name == "--help" || name == "-h") {
      if (!flag()) return line;
      line.help = true;
    } else if (name == "--version") {
      if (!flag()) return line;
      line.version = true;
    } else if (name == "--manual-draws") {
      if (!flag()) return line;
      line.settings.manual_draws = true;
    } else if (name == "--utf8") {
      if (!flag()) return line;
      line.settings.utf8 = true;
    } else if (name == "--port") {
      const auto text = value();
      if (!text) return line;
      const auto port = number_in(*text, 0, 65535);
      if (!port) return fail("--port needs a number from 0 to 65535, not \"" + std::string(*text) + "\"");
      line.port = *port;
    } else if (name == "--data-dir") {
      const auto text = value();
      if (!text) return line;
      if (text->empty()) return fail("--data-dir needs a folder");
      line.settings.data_dir = std::string(*text);
    } else if (name == "--seed") {
      const auto text = value();
      if (!text) return line;
      const auto seed = number_in<std::uint64_t>(*text, 0, UINT64_MAX);
      if (!seed) return fail("--seed needs a non-negative whole number, not \"" + std::string(*text) + "\"");
      line.settings.seed = *seed;
    } else if (name == "--draw-interval") {
      const auto text = value();
      if (!text) return line;
      const auto seconds = number_in(*text, 1, 86400);
      if (!seconds)
        return fail("--draw-interval needs seconds from 1 to 86400, not \"" + std::string(*text) + "\"");
      line.settings.draw_interval = std::chrono::seconds{*seconds};
    } else if (name == "--start-date") {
      const auto text = value();
      if (!text) return line;
      const auto day = parse_compact_date(*text);
      if (!day) return fail("--start-date needs a day as YYYYMMDD, not \"" + std::string(*text) + "\"");
      line.settings.start_day = *day;
    } else {
      return fail("unknown option \"" + std::string(args[i]) + "\"");
    }
  }
  return line;
}

std::string usage_text() {
  return R"(Usage: plandesk-service [options]

A local stand-in of the PlanDesk plan service. It listens on 127.0.0.1 only
and prints "plandesk-service listening on 127.0.0.1:PORT" as its first line.

Options:
  --port N              port to listen on (default 8765; 0 picks a free port)
  --data-dir DIR        folder of the accounts file accounts.sqlite3, created
                        when missing (default: ./plandesk-service-data)
  --seed N              seed of the draw generator (default 20150301); the same
                        seed and start date give the same draw histories
  --start-date YYYYMMDD day of the first cqssc and jxssc issue (default: today)
  --draw-interval S     add a draw of every lottery every S seconds (default 60)
  --manual-draws        no timed draws; draws come only from /control/draw
  --utf8                answer in UTF-8 (charset=utf-8) instead of GBK
  --help, -h            show this text and exit
  --version             show the version and exit

On first start the account demo / demo123 is created. Every lottery starts
with a history of 60 draws. Each request is logged to standard output on one
line, with the password values masked.

Pages: /chkuser.asp /softregchuli1.asp /changechuli.asp /getsj.asp
       /gettgc.asp /gettguser.asp /getzhifubao.asp /bdzhifubao.asp
Control (for tests and demos):
  /control/health                          answers "ok"
  /control/draw?ssc=CODE[&count=N]         adds N (default 1) draws, answers the newest
  /control/set?ssc=CODE&issue=I&numbers=X  adds the given draw as the newest
  CODE is one of cqssc, jxssc, hsssc, pk10, sd11x5.
)";
}

std::string version_text() {
  return std::string("plandesk-service ") + PLANDESK_VERSION + "\n";
}

}  // namespace plandesk::stand_in
