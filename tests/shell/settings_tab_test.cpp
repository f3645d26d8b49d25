// The settings tab and its file: defaults on the first start, the round trip
// through "保存设置", files made by hand, and saves that fail.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "settings/plan_settings.h"
#include "shell/window_fixture.h"
#include "text/gbk.h"

namespace plandesk::testing {
namespace {

std::filesystem::path ini_of(const TempDir& dir) {
  return dir / std::string(settings_file_name);
}

struct Control {
  const char* name;
  const char* text;  // nullptr for a check box
  bool checked = false;
};

class SettingsTabTest : public WindowTest {
 protected:
  void expect_controls(std::initializer_list<Control> controls) const {
    for (const auto& c : controls) {
      if (c.text)
        EXPECT_EQ(find<QLineEdit>(c.name)->text(), QString::fromUtf8(c.text)) << c.name;
      else
        EXPECT_EQ(find<QCheckBox>(c.name)->isChecked(), c.checked) << c.name;
    }
  }
};

TEST_F(SettingsTabTest, TheFirstStartWritesAndShowsTheDefaults) {
  EXPECT_EQ(read_bytes(ini_of(dir)), default_settings_file());
  EXPECT_EQ(read_bytes(ini_of(dir)).size(), 480u);
  expect_controls({{"选择框_ssc后一定位", nullptr, true},
                   {"选择框_ssc后一大小", nullptr, true},
                   {"选择框_PK第二名", nullptr, true},
                   {"选择框_11x5百位", nullptr, true},
                   {"编辑框_ssc后一定位", "3"},
                   {"编辑框_ssc后一定位注数", "5"},
                   {"编辑框_ssc后一大小", "3"},
                   {"编辑框_ssc后二注数", "50"},
                   {"编辑框_ssc后三注数", "500"},
                   {"编辑框_PK第一名注数", "5"},
                   {"编辑框_PK第三名注数", "5"},
                   {"编辑框_11x5万位注数", "6"},
                   {"编辑框_11x5千位注数", "5"},
                   {"编辑框_11x5百位注数", "6"},
                   {"编辑框_11x5百位", "3"}});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsTabTest, SavedSettingsComeBackAtTheNextStart) {
  set_checked("选择框_ssc后一大小", false);
  set_checked("选择框_PK第三名", false);
  set_box("编辑框_ssc后一定位", "abc");
  set_box("编辑框_PK第二名注数", "7");
  set_box("编辑框_11x5千位", "");
  QTest::mouseClick(find<QPushButton>("按钮3"), Qt::LeftButton);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(label_text("标签_保存结果"), "设置已保存");

  build_window();
  expect_controls({{"选择框_ssc后一大小", nullptr, false},
                   {"选择框_PK第三名", nullptr, false},
                   {"选择框_ssc后一定位", nullptr, true},
                   {"编辑框_ssc后一定位", "abc"},
                   {"编辑框_PK第二名注数", "7"},
                   {"编辑框_11x5千位", ""},
                   {"编辑框_ssc后三注数", "500"}});
  EXPECT_NE(gbk_to_utf8(read_bytes(ini_of(dir))).find("后一定位周期=abc\r\n"), std::string::npos);
}

TEST_F(SettingsTabTest, UnsavedChangesAreGoneAtTheNextStart) {
  set_box("编辑框_ssc后二", "9");
  build_window();
  EXPECT_EQ(find<QLineEdit>("编辑框_ssc后二")->text(), "3");
}

TEST_F(SettingsTabTest, AFileWithoutTheRaceSectionLeavesItsControlsOffAndEmpty) {
  auto text = gbk_to_utf8(default_settings_file());
  const auto begin = text.find("[pk10]");
  text.erase(begin, text.find("[11x5]") - begin);
  write_bytes(ini_of(dir), utf8_to_gbk(text));
  build_window();
  expect_controls({{"选择框_PK第一名", nullptr, false},
                   {"选择框_PK第二名", nullptr, false},
                   {"选择框_PK第三名", nullptr, false},
                   {"编辑框_PK第一名", ""},
                   {"编辑框_PK第二名注数", ""},
                   {"编辑框_PK第三名", ""},
                   {"选择框_11x5万位", nullptr, true},
                   {"编辑框_ssc后三注数", "500"}});
}

TEST_F(SettingsTabTest, ASaveThatFailsSaysSoAndKeepsTheValues) {
  // The settings file has become a folder: it can neither be read nor replaced.
  std::filesystem::remove(ini_of(dir));
  std::filesystem::create_directory(ini_of(dir));
  set_box("编辑框_ssc后二", "8");
  QTest::mouseClick(find<QPushButton>("按钮3"), Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::warning);
  EXPECT_TRUE(messages.shown[0].text.contains("设置没有保存成功"));
  EXPECT_TRUE(messages.shown[0].text.contains("mcmpz.ini"));
  EXPECT_EQ(find<QLineEdit>("编辑框_ssc后二")->text(), "8");
  EXPECT_EQ(label_text("标签_保存结果"), "");

  build_window();
  ASSERT_EQ(messages.shown.size(), 2u) << "loading tells about the unusable file too";
  EXPECT_TRUE(messages.shown[1].text.contains("默认设置"));
  EXPECT_TRUE(find<QCheckBox>("选择框_ssc后二")->isChecked());
}

}  // namespace
}  // namespace plandesk::testing
