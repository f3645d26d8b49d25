#pragma once
// The plan-kind switches, cycles and bet counts of the settings tab, and
// their file "mcmpz.ini" in the data folder.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace plandesk {

// The ten plan kinds that have settings of their own. The three five-digit
// games share the four ssc kinds.
enum class SettingsKind : std::size_t {
  ssc_single,
  ssc_size,
  ssc_two,
  ssc_three,
  pk10_first,
  pk10_second,
  pk10_third,
  x11x5_first,
  x11x5_second,
  x11x5_third,
};
inline constexpr std::size_t plan_kind_count = 10;

// Cycle and count are kept as typed; the dispatch reads their leading number.
struct KindSettings {
  bool enabled = false;
  std::string cycle;
  std::string count;
  bool operator==(const KindSettings&) const = default;
};

struct PlanSettings {
  std::array<KindSettings, plan_kind_count> kinds;

  KindSettings& operator[](SettingsKind kind) { return kinds[static_cast<std::size_t>(kind)]; }
  const KindSettings& operator[](SettingsKind kind) const { return kinds[static_cast<std::size_t>(kind)]; }
  bool operator==(const PlanSettings&) const = default;
};

enum class SettingField { enabled, cycle, count };

struct SettingKey {
  std::string_view section;
  std::string_view key;
  SettingsKind kind;
  SettingField field;
};

// The keys of the file in the order in which they are read and written.
extern const std::array<SettingKey, 29> setting_keys;

inline constexpr std::string_view settings_file_name = "mcmpz.ini";
inline constexpr std::string_view switch_on = "真";
inline constexpr std::string_view switch_off = "假";

// The big/small kind has no bet count.
constexpr bool kind_has_count(SettingsKind kind) {
  return kind != SettingsKind::ssc_size;
}

// The file written on the first start, GBK bytes (480 of them).
const std::string& default_settings_file();

struct SettingsLoad {
  PlanSettings settings;
  std::string error;  // non-empty: the file could not be read or created; settings hold the defaults
};

// Reads the settings from data_dir/mcmpz.ini, writing the default file first
// when none exists (an existing file is never replaced). A switch is on only
// for the exact text "真"; an absent key gives an unticked box or an empty text.
SettingsLoad load_settings(const std::filesystem::path& data_dir);

struct SettingsSave {
  bool ok = true;
  std::string error;
};

// Writes the 29 keys into data_dir/mcmpz.ini, leaving every other line of the
// file as it is. The file is replaced atomically, so a failed save leaves the
// old file whole; an existing file that cannot be read is not overwritten.
SettingsSave save_settings(const std::filesystem::path& data_dir, const PlanSettings& settings);

}  // namespace plandesk
