#include "plans/plan_report.h"

#include <vector>

#include "plans/plan_status.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

constexpr std::string_view rule = "----------------------------";  // 28 dashes

// Whether the text takes at most `limit` GBK bytes. A GBK text is never
// longer than its UTF-8 form, so short texts need no conversion.
bool gbk_at_most(std::string_view text, std::size_t limit) {
  return text.size() <= limit || gbk_length(text) <= limit;
}

void append_number(std::string& out, std::int64_t value) {
  out += std::to_string(value);
}

void append_summary(std::string& out, std::string_view kind_name, std::int64_t rows, std::int64_t misses) {
  out += kind_name;
  if (rows < 2) {
    out += "共执行计划0个，中0个，挂0个，成功率：100%\r\n\r\n\r\n";
    return;
  }
  // Every row but the open plan has run; the hits are those run less the
  // misses. Integer division of non-negative figures rounds the rate down.
  const std::int64_t run = rows - 1;
  const std::int64_t hits = run - misses;
  out += "共执行计划";
  append_number(out, run);
  out += "个，中";
  append_number(out, hits);
  out += "个，挂";
  append_number(out, misses);
  out += "个，成功率：";
  append_number(out, hits * 100 / run);
  out += "%\r\n\r\n\r\n";
}

}  // namespace

std::string pad_issue(std::int64_t k) {
  if (k < 10) return "00" + std::to_string(k);
  if (k < 100) return "0" + std::to_string(k);
  return std::to_string(k);
}

PlanReportResult plan_report(PlanStore& store, int type, std::string_view kind_name) {
  PlanReportResult result;
  std::string& text = result.text;
  std::int64_t rows = 0;
  std::int64_t misses = 0;
  // The summary needs the number of all rows, known only at the end; it is
  // put in after the open plan's entry once the rows are read.
  struct Summary {
    std::size_t at;
    std::int64_t misses;
  };
  std::vector<Summary> summaries;

  const StoreStatus status = store.visit_plans(type, [&](const PlanLine& line) {
    ++rows;
    text += pad_issue(line.qihao1);
    text += "→";
    text += pad_issue(line.qihao2);
    text += "期  ";
    text += kind_name;
    if (line.jieguo == plan_status::hit) {
      if (gbk_at_most(line.kjh, 14)) {
        text += "  第";
        text += line.zjqihao;
        text += "期 开奖号码<";
        text += line.kjh;
        text += "> → 中\r\n";
      } else {
        text += "  预测【";
        text += line.ych;
        text += "】  第";
        text += line.zjqihao;
        text += "期 → 中\r\n";
      }
    } else if (line.jieguo == plan_status::pending) {
      if (gbk_at_most(line.ych, 19)) {
        text += "  预测【";
        text += line.ych;
        text += "】\r\n\r\n";
      } else {
        text += "\r\n";
        text += rule;
        text += "\r\n";
        text += line.ych;
        text += "\r\n";
        text += rule;
        text += "\r\n\r\n";
      }
      summaries.push_back({text.size(), misses});
    } else {
      text += "  ";
      text += line.jieguo;
      text += "\r\n";
      ++misses;
    }
  });
  if (!status.ok) return {false, {}, status.error};

  if (summaries.size() == 1 && summaries.front().at == text.size()) {
    append_summary(text, kind_name, rows, summaries.front().misses);
  } else if (!summaries.empty()) {
    std::string spliced;
    spliced.reserve(text.size() + summaries.size() * 128);
    std::size_t from = 0;
    for (const Summary& summary : summaries) {
      spliced.append(text, from, summary.at - from);
      append_summary(spliced, kind_name, rows, summary.misses);
      from = summary.at;
    }
    spliced.append(text, from);
    text = std::move(spliced);
  }
  text += "\r\n\r\n";
  return result;
}

}  // namespace plandesk
