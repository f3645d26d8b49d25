// The plan road through the window: a poll from the feed server, the draw on
// screen, the plan kinds in dispatch order and their reports.
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "shell/account_tab.h"
#include "shell/plans_tab.h"
#include "shell/window_fixture.h"

namespace plandesk::testing {
namespace {

using L = LotteryCode;
using FeedCycleWindow = WindowTest;

// Positions of the texts in the plan text area, -1 when missing.
std::vector<qsizetype> positions(const QString& text, std::initializer_list<const char*> parts) {
  std::vector<qsizetype> found;
  for (const auto* part : parts) found.push_back(text.indexOf(QString::fromUtf8(part)));
  return found;
}

bool ascending(const std::vector<qsizetype>& positions) {
  for (std::size_t i = 0; i < positions.size(); ++i)
    if (positions[i] < 0 || (i > 0 && positions[i] <= positions[i - 1])) return false;
  return true;
}

// Whether a label draws its text exactly as a plain-text label beside it
// does: markup in a text from outside must be shown, not obeyed.
bool drawn_as_plain_text(QLabel* label) {
  QLabel plain(label->text(), label->parentWidget());
  plain.setTextFormat(Qt::PlainText);
  plain.setGeometry(label->geometry());
  plain.setFont(label->font());
  plain.setStyleSheet(label->styleSheet());
  plain.setAlignment(label->alignment());
  return label->grab().toImage() == plain.grab().toImage();
}

TEST_F(FeedCycleWindow, TheFirstForcedCycleShowsTheDrawAndRunsTheKindsInOrder) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80, 50, "12345"));
  QTest::mouseClick(find<QRadioButton>("单选框2"), Qt::LeftButton);
  and_wait([] {}, 1);

  EXPECT_TRUE(find<QRadioButton>("单选框2")->isChecked());
  EXPECT_EQ(label_text("标签3"), "当前期号：20150301-080");
  EXPECT_EQ(label_text("标签4"), "12345");
  EXPECT_EQ(numbers_point_size(), 42);

  auto* history = find<QTreeWidget>("超级列表框2");
  ASSERT_EQ(history->topLevelItemCount(), 50);
  EXPECT_EQ(history->topLevelItem(0)->text(0), "1");
  EXPECT_EQ(history->topLevelItem(0)->text(1), "20150301080");
  EXPECT_EQ(history->topLevelItem(0)->text(2), "12345");
  EXPECT_EQ(history->topLevelItem(49)->text(0), "50");
  EXPECT_EQ(history->topLevelItem(49)->text(1), "20150301031");

  const auto text = plan_text();
  EXPECT_TRUE(ascending(positions(
      text,
      {"081→083期  后一定位  预测【", "后一定位共执行计划0个，中0个，挂0个，成功率：100%",
       "081→083期  后一（个位）大小  预测【", "后一（个位）大小共执行计划0个", "081→083期  后二直选单式",
       "后二直选单式共执行计划0个", "081→083期  后三直选单式", "后三直选单式共执行计划0个"})))
      << text.toStdString();
  EXPECT_FALSE(text.contains('\r'));
  for (int type : {1001, 1002, 1003, 1004}) {
    const auto rows = plans(type);
    ASSERT_EQ(rows.size(), 1u) << type;
    EXPECT_EQ(rows[0].qihao1, 81);
    EXPECT_EQ(rows[0].qihao2, 83);
    EXPECT_EQ(rows[0].jieguo, "等开");
  }
  EXPECT_TRUE(plans(2001).empty()) << "only the selected lottery's kinds run";
}

TEST_F(FeedCycleWindow, ANewDrawSettlesThePlans) {
  set_box("编辑框_ssc后一定位注数", "10");  // every digit: the next draw hits
  set_box("编辑框_ssc后二注数", "0");       // no pair: the plan misses at its last issue
  set_box("编辑框_ssc后二", "1");
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);

  server.set_reply(L::cqssc, feed_reply(L::cqssc, 81, 50, "67890"));
  tick_and_wait();
  EXPECT_EQ(label_text("标签3"), "当前期号：20150301-081");
  EXPECT_EQ(label_text("标签4"), "67890");

  const auto single = plans(1001);
  ASSERT_EQ(single.size(), 2u);
  EXPECT_EQ(single[0].jieguo, "中");
  EXPECT_EQ(single[0].zjqihao, "081");
  EXPECT_EQ(single[0].kjh, "67890");
  EXPECT_EQ(single[1].jieguo, "等开");
  EXPECT_EQ(single[1].qihao1, 82);
  const auto pairs = plans(1003);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].jieguo, "挂");

  const auto text = plan_text();
  EXPECT_TRUE(text.contains("081→083期  后一定位  第081期 开奖号码<67890> → 中")) << text.toStdString();
  EXPECT_TRUE(text.contains("后一定位共执行计划1个，中1个，挂0个，成功率：100%"));
  EXPECT_TRUE(text.contains("081→081期  后二直选单式  挂"));
  EXPECT_EQ(text.count("后一定位共执行计划"), 1) << "the area was emptied before the new reports";
}

TEST_F(FeedCycleWindow, ReselectingTheSameLotteryRebuildsTheReport) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80));
  select_and_wait(L::cqssc);
  const auto report = plan_text();

  window->plans_tab().set_plan_text("marker");
  tick_and_wait();
  EXPECT_EQ(plan_text(), "marker") << "the same issue changes nothing on screen";

  QTest::mouseClick(find<QRadioButton>("单选框2"), Qt::LeftButton);
  EXPECT_EQ(plan_text(), "") << "the selection empties the area at once";
  and_wait([] {});
  EXPECT_EQ(plan_text(), report);
  EXPECT_EQ(plans(1001).size(), 1u) << "running the kinds again on the same issue changes nothing";
}

TEST_F(FeedCycleWindow, SwitchingToPk10AndBackShowsEachGameAgain) {
  server.set_reply(L::cqssc, feed_reply(L::cqssc, 80, 50, "12345"));
  server.set_reply(L::pk10, feed_reply(L::pk10, 523456, 50, "03,07,01,10,05,02,09,04,08,06"));
  select_and_wait(L::cqssc);
  const auto cqssc_report = plan_text();

  QTest::mouseClick(find<QRadioButton>("单选框4"), Qt::LeftButton);
  and_wait([] {});
  EXPECT_EQ(label_text("标签3"), "当前期号：523456  【前5车开奖号】");
  EXPECT_EQ(label_text("标签4"), "03,07,01,10,05");
  EXPECT_EQ(numbers_point_size(), 22);
  EXPECT_EQ(find<QTreeWidget>("超级列表框2")->topLevelItem(0)->text(2), "03,07,01,10,05,02,09,04,08,06");
  EXPECT_TRUE(ascending(positions(
      plan_text(), {"第1名定位共执行计划0个", "第2名定位共执行计划0个", "第3名定位共执行计划0个"})));
  EXPECT_FALSE(plan_text().contains("后一定位"));

  QTest::mouseClick(find<QRadioButton>("单选框2"), Qt::LeftButton);
  and_wait([] {});
  EXPECT_EQ(label_text("标签3"), "当前期号：20150301-080");
  EXPECT_EQ(label_text("标签4"), "12345");
  EXPECT_EQ(numbers_point_size(), 42);
  EXPECT_EQ(plan_text(), cqssc_report);
}

TEST_F(FeedCycleWindow, PickFiveShowsItsDrawAtTwentyTwoPoints) {
  server.set_reply(L::x11x5, feed_reply(L::x11x5, 15030101, 50, "03,07,01,11,05"));
  QTest::mouseClick(find<QRadioButton>("单选框5"), Qt::LeftButton);
  and_wait([] {});
  EXPECT_EQ(label_text("标签3"), "当前期号：15030101");
  EXPECT_EQ(label_text("标签4"), "03,07,01,11,05");
  EXPECT_EQ(numbers_point_size(), 22);
  EXPECT_TRUE(ascending(
      positions(plan_text(), {"万位定位共执行计划0个", "千位定位共执行计划0个", "百位定位共执行计划0个"})));
  EXPECT_EQ(plans(5002).at(0).ych.size(), 14u) << "count 5 from the default file";
}

TEST_F(FeedCycleWindow, Pk10ReselectedOnItsLastIssueWaitsForTheNextDraw) {
  server.set_reply(L::pk10, feed_reply(L::pk10, 523456));
  select_and_wait(L::pk10);
  select_and_wait(L::pk10);
  EXPECT_EQ(plan_text(), "");
  EXPECT_EQ(label_text("标签3"), "当前期号：523456  【前5车开奖号】");

  server.set_reply(L::pk10, feed_reply(L::pk10, 523457));
  tick_and_wait();
  EXPECT_TRUE(plan_text().contains("第1名定位共执行计划"));
  EXPECT_EQ(label_text("标签3"), "当前期号：523457  【前5车开奖号】");

  // Later draws keep coming without a new selection.
  server.set_reply(L::pk10, feed_reply(L::pk10, 523458));
  tick_and_wait();
  EXPECT_EQ(label_text("标签3"), "当前期号：523458  【前5车开奖号】");
  EXPECT_EQ(plan_text().count("第1名定位共执行计划"), 1);
}

TEST_F(FeedCycleWindow, LabelsShowTextsFromOutsideAsTheyCome) {
  // An issue and a user name that look like markup are shown letter for letter.
  std::string reply = "[<i>150</i>-12345]";
  for (int i = 1; i <= 10; ++i) reply += "[" + issue_text(L::hsssc, 1503000 + i) + "-12345]";
  server.set_reply(L::hsssc, reply);
  select_and_wait(L::hsssc);
  ASSERT_EQ(label_text("标签3"), "当前期号：<i>150</i>");
  window->account_tab().set_user_name(QStringLiteral("<b>demo</b>"));

  for (const auto* name : {"标签3", "标签4", "标签1"})
    EXPECT_TRUE(drawn_as_plain_text(find<QLabel>(name))) << name;
}

}  // namespace
}  // namespace plandesk::testing
