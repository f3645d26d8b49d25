#include "settings/plan_settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;

std::filesystem::path ini(const TempDir& dir) {
  return dir / std::string(settings_file_name);
}

TEST(PlanSettings, FirstStartWritesTheDefaultFileByteForByte) {
  TempDir dir;
  const auto loaded = load_settings(dir.path());
  ASSERT_TRUE(loaded.error.empty()) << loaded.error;

  const auto bytes = read_bytes(ini(dir));
  EXPECT_EQ(bytes, default_settings_file());
  ASSERT_EQ(bytes.size(), 480u);
  EXPECT_EQ(bytes.substr(0, 7), "[ssc]\r\n") << "no byte-order mark";
  const auto text = gbk_to_utf8(bytes);
  EXPECT_NE(text.find("\r\n[pk10]\r\nPK第一名开关=真\r\n"), std::string::npos);
  EXPECT_NE(text.find("11x5千位注数=5\r\n11x5百位开关=真\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\n11x5百位注数=6\r\n"));

  // 32 lines, each ended by CRLF, no blank line, keys in the table's order.
  std::size_t lines = 0, key = 0, pos = 0;
  while (pos < text.size()) {
    const auto end = text.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    const auto line = text.substr(pos, end - pos);
    ASSERT_FALSE(line.empty());
    if (line.front() != '[') {
      ASSERT_LT(key, setting_keys.size());
      EXPECT_EQ(line.substr(0, line.find('=')), setting_keys[key].key);
      ++key;
    }
    ++lines;
    pos = end + 2;
  }
  EXPECT_EQ(lines, 32u);
  EXPECT_EQ(key, 29u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);

  const char* cycles = "3";
  const char* counts[] = {"5", "", "50", "500", "5", "5", "5", "6", "5", "6"};
  for (std::size_t i = 0; i < plan_kind_count; ++i) {
    const auto& kind = loaded.settings.kinds[i];
    EXPECT_TRUE(kind.enabled) << i;
    EXPECT_EQ(kind.cycle, cycles) << i;
    EXPECT_EQ(kind.count, counts[i]) << i;
  }
}

TEST(PlanSettings, AnExistingFileIsNeverReplaced) {
  TempDir dir;
  const std::string own = utf8_to_gbk("[ssc]\r\n后一定位周期=7\r\n");
  write_bytes(ini(dir), own);
  const auto loaded = load_settings(dir.path());
  EXPECT_EQ(read_bytes(ini(dir)), own);
  EXPECT_EQ(loaded.settings[SettingsKind::ssc_single].cycle, "7");
  EXPECT_FALSE(loaded.settings[SettingsKind::ssc_single].enabled) << "an absent switch stays unticked";
  EXPECT_EQ(loaded.settings[SettingsKind::ssc_single].count, "");
}

TEST(PlanSettings, OnlyTheExactOnTextTicksABox) {
  struct Case {
    const char* value;
    bool enabled;
  } cases[] = {{"真", true}, {" 真 ", true}, {"假", false},  {"true", false},
               {"1", false}, {"", false},    {"真的", false}};
  for (const auto& c : cases) {
    TempDir dir;
    write_bytes(ini(dir), utf8_to_gbk(std::string("[pk10]\r\nPK第二名开关=") + c.value + "\r\n"));
    EXPECT_EQ(load_settings(dir.path()).settings[SettingsKind::pk10_second].enabled, c.enabled) << c.value;
  }
}

TEST(PlanSettings, AFileWithoutTheRaceSectionLeavesItsKindsOffAndEmpty) {
  TempDir dir;
  auto text = gbk_to_utf8(default_settings_file());
  const auto begin = text.find("[pk10]");
  text.erase(begin, text.find("[11x5]") - begin);
  write_bytes(ini(dir), utf8_to_gbk(text));

  const auto settings = load_settings(dir.path()).settings;
  for (const auto kind : {SettingsKind::pk10_first, SettingsKind::pk10_second, SettingsKind::pk10_third})
    EXPECT_EQ(settings[kind], KindSettings{}) << static_cast<int>(kind);
  EXPECT_TRUE(settings[SettingsKind::ssc_two].enabled);
  EXPECT_EQ(settings[SettingsKind::x11x5_second].count, "5");
}

TEST(PlanSettings, SavedValuesComeBackVerbatim) {
  TempDir dir;
  auto settings = load_settings(dir.path()).settings;
  settings[SettingsKind::ssc_single].cycle = "abc";
  settings[SettingsKind::ssc_size].enabled = false;
  settings[SettingsKind::ssc_three].count = " 12 ";
  settings[SettingsKind::pk10_third].cycle = "";
  settings[SettingsKind::x11x5_first].count = "六";
  settings[SettingsKind::x11x5_third].enabled = false;
  const auto saved = save_settings(dir.path(), settings);
  ASSERT_TRUE(saved.ok) << saved.error;

  EXPECT_EQ(load_settings(dir.path()).settings, settings);
  const auto text = gbk_to_utf8(read_bytes(ini(dir)));
  EXPECT_NE(text.find("后一定位周期=abc\r\n"), std::string::npos);
  EXPECT_NE(text.find("后一大小开关=假\r\n"), std::string::npos);
}

TEST(PlanSettings, SaveKeepsHandEditsAndUnknownKeys) {
  TempDir dir;
  write_bytes(
      ini(dir),
      utf8_to_gbk("; my notes\r\n[SSC]\r\n后一定位周期 = 9\r\n自定义=保留\r\n\r\n[extra]\r\nx=1\r\n"));
  auto settings = load_settings(dir.path()).settings;
  EXPECT_EQ(settings[SettingsKind::ssc_single].cycle, "9");
  settings[SettingsKind::ssc_single].cycle = "4";
  ASSERT_TRUE(save_settings(dir.path(), settings).ok);

  const auto text = gbk_to_utf8(read_bytes(ini(dir)));
  // Missing keys are added at the end of their section, in table order.
  EXPECT_EQ(text.substr(0, text.find("后一定位注数")),
            "; my notes\r\n[SSC]\r\n后一定位周期=4\r\n自定义=保留\r\n后一定位开关=假\r\n");
  EXPECT_NE(text.find("\r\n\r\n[extra]\r\nx=1\r\n[pk10]\r\n"), std::string::npos);
  EXPECT_EQ(text.find("后一定位周期"), text.rfind("后一定位周期")) << "the key is replaced, not repeated";
  EXPECT_EQ(load_settings(dir.path()).settings, settings);
}

TEST(PlanSettings, FailuresAreReportedAndLoseNothing) {
  TempDir dir;
  // A data folder that is a plain file: nothing can be created in it.
  const auto not_a_folder = dir / "plain";
  write_bytes(not_a_folder, "x");
  const auto loaded = load_settings(not_a_folder);
  EXPECT_FALSE(loaded.error.empty());
  EXPECT_TRUE(loaded.settings[SettingsKind::ssc_single].enabled) << "the defaults are still shown";
  const auto saved = save_settings(not_a_folder, loaded.settings);
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.error.find("mcmpz.ini"), std::string::npos);
  EXPECT_EQ(read_bytes(not_a_folder), "x");

  // A settings file that cannot be read is not overwritten.
  std::filesystem::create_directory(ini(dir));
  EXPECT_FALSE(load_settings(dir.path()).error.empty());
  EXPECT_FALSE(save_settings(dir.path(), loaded.settings).ok);
  EXPECT_TRUE(std::filesystem::is_directory(ini(dir)));
}

}  // namespace
}  // namespace plandesk
