#include "settings/plan_settings.h"

#include <system_error>

#include "settings/private_profile.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

namespace fs = std::filesystem;

using K = SettingsKind;
using F = SettingField;

// UTF-8 source of the default file; the table above holds the same keys in
// the same order, and the defaults are the values written here.
constexpr std::string_view default_file_utf8 =
    "[ssc]\r\n"
    "后一定位开关=真\r\n"
    "后一定位周期=3\r\n"
    "后一定位注数=5\r\n"
    "后一大小开关=真\r\n"
    "后一大小周期=3\r\n"
    "后二开关=真\r\n"
    "后二周期=3\r\n"
    "后二注数=50\r\n"
    "后三定位开关=真\r\n"
    "后三周期=3\r\n"
    "后三注数=500\r\n"
    "[pk10]\r\n"
    "PK第一名开关=真\r\n"
    "PK第一名周期=3\r\n"
    "PK第一名注数=5\r\n"
    "PK第二名开关=真\r\n"
    "PK第二名周期=3\r\n"
    "PK第二名注数=5\r\n"
    "PK第三名开关=真\r\n"
    "PK第三名周期=3\r\n"
    "PK第三名注数=5\r\n"
    "[11x5]\r\n"
    "11x5万位开关=真\r\n"
    "11x5万位周期=3\r\n"
    "11x5万位注数=6\r\n"
    "11x5千位开关=真\r\n"
    "11x5千位周期=3\r\n"
    "11x5千位注数=5\r\n"
    "11x5百位开关=真\r\n"
    "11x5百位周期=3\r\n"
    "11x5百位注数=6\r\n";

PlanSettings read_all(const PrivateProfile& profile) {
  PlanSettings settings;
  for (const auto& key : setting_keys) {
    auto value = profile.read(key.section, key.key);
    auto& kind = settings[key.kind];
    switch (key.field) {
      case F::enabled:
        kind.enabled = value == switch_on;
        break;
      case F::cycle:
        kind.cycle = std::move(value);
        break;
      case F::count:
        kind.count = std::move(value);
        break;
    }
  }
  return settings;
}

}  // namespace

const std::array<SettingKey, 29> setting_keys = {{
    {"ssc", "后一定位开关", K::ssc_single, F::enabled},
    {"ssc", "后一定位周期", K::ssc_single, F::cycle},
    {"ssc", "后一定位注数", K::ssc_single, F::count},
    {"ssc", "后一大小开关", K::ssc_size, F::enabled},
    {"ssc", "后一大小周期", K::ssc_size, F::cycle},
    {"ssc", "后二开关", K::ssc_two, F::enabled},
    {"ssc", "后二周期", K::ssc_two, F::cycle},
    {"ssc", "后二注数", K::ssc_two, F::count},
    {"ssc", "后三定位开关", K::ssc_three, F::enabled},
    {"ssc", "后三周期", K::ssc_three, F::cycle},
    {"ssc", "后三注数", K::ssc_three, F::count},
    {"pk10", "PK第一名开关", K::pk10_first, F::enabled},
    {"pk10", "PK第一名周期", K::pk10_first, F::cycle},
    {"pk10", "PK第一名注数", K::pk10_first, F::count},
    {"pk10", "PK第二名开关", K::pk10_second, F::enabled},
    {"pk10", "PK第二名周期", K::pk10_second, F::cycle},
    {"pk10", "PK第二名注数", K::pk10_second, F::count},
    {"pk10", "PK第三名开关", K::pk10_third, F::enabled},
    {"pk10", "PK第三名周期", K::pk10_third, F::cycle},
    {"pk10", "PK第三名注数", K::pk10_third, F::count},
    {"11x5", "11x5万位开关", K::x11x5_first, F::enabled},
    {"11x5", "11x5万位周期", K::x11x5_first, F::cycle},
    {"11x5", "11x5万位注数", K::x11x5_first, F::count},
    {"11x5", "11x5千位开关", K::x11x5_second, F::enabled},
    {"11x5", "11x5千位周期", K::x11x5_second, F::cycle},
    {"11x5", "11x5千位注数", K::x11x5_second, F::count},
    {"11x5", "11x5百位开关", K::x11x5_third, F::enabled},
    {"11x5", "11x5百位周期", K::x11x5_third, F::cycle},
    {"11x5", "11x5百位注数", K::x11x5_third, F::count},
}};

const std::string& default_settings_file() {
  static const std::string bytes = utf8_to_gbk(default_file_utf8);
  return bytes;
}

SettingsLoad load_settings(const fs::path& data_dir) {
  const auto file = data_dir / settings_file_name;
  const auto defaults = [] { return read_all(PrivateProfile({}, default_settings_file())); };
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(file, ec))) {
    fs::create_directories(data_dir, ec);
    const auto written = write_file_atomically(file, default_settings_file());
    return {defaults(), written.error};
  }
  auto loaded = PrivateProfile::load(file);
  if (!loaded.profile) return {defaults(), loaded.error};
  return {read_all(*loaded.profile), {}};
}

SettingsSave save_settings(const fs::path& data_dir, const PlanSettings& settings) {
  auto loaded = PrivateProfile::load(data_dir / settings_file_name);
  if (!loaded.profile) return {false, loaded.error};
  auto& profile = *loaded.profile;
  for (const auto& key : setting_keys) {
    const auto& kind = settings[key.kind];
    std::string_view value;
    switch (key.field) {
      case F::enabled:
        value = kind.enabled ? switch_on : switch_off;
        break;
      case F::cycle:
        value = kind.cycle;
        break;
      case F::count:
        value = kind.count;
        break;
    }
    if (auto written = profile.write(key.section, key.key, value); !written.ok) return {false, written.error};
  }
  const auto saved = profile.save();
  return {saved.ok, saved.error};
}

}  // namespace plandesk
