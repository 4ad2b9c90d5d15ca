// Turns the results file into the one table: printed as plain text and written as
// markdown. For each figure: Velnor's and the floor's statistic, their ratio, the
// spread (min / median / max) of both sample sets, the sample counts and the target
// with whether it was met. Missing figures show "n/a", figures without a floor "-".
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/driver.h"
#include "bench/support/rows.h"
#include "bench/support/stats.h"

namespace {

using Cells = std::vector<std::string>;

const Cells kHeader = {
    "Figure", "Velnor", "Floor", "Ratio", "Velnor min / median / max", "Floor min / median / max",
    "n",      "Target"};

std::string Number(double v, const std::string& unit) {
  char text[32];
  if (unit == "KB" || unit == "count")
    std::snprintf(text, sizeof text, "%.0f", v);
  else if (std::fabs(v) >= 100)
    std::snprintf(text, sizeof text, "%.0f", v);
  else if (std::fabs(v) >= 10)
    std::snprintf(text, sizeof text, "%.1f", v);
  else
    std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

double Statistic(const Row& row, const Samples& s) {
  if (row.stat == "p99") return Percentile(s.values, 99);
  return Median(s.values);  // "value" rows hold one reading, its own median
}

bool Measured(const Samples& s) { return s.kind == Samples::Kind::Values && !s.values.empty(); }

std::string Value(const Row& row, const Samples& s) {
  if (!Measured(s)) return s.kind == Samples::Kind::NotAvailable ? "n/a" : "-";
  const std::string number = Number(Statistic(row, s), row.unit);
  return row.unit == "count" || row.unit.empty() ? number : number + " " + row.unit;
}

std::string Spread(const Row& row, const Samples& s) {
  if (!Measured(s)) return s.kind == Samples::Kind::NotAvailable ? "n/a" : "-";
  if (s.values.size() == 1) return Number(s.values[0], row.unit) + " (one reading)";
  return Number(Min(s.values), row.unit) + " / " + Number(Median(s.values), row.unit) + " / " +
         Number(Max(s.values), row.unit);
}

// Velnor / floor, or a negative number when it cannot be formed.
double Ratio(const Row& row) {
  if (!row.ratio || !Measured(row.velnor) || !Measured(row.floor)) return -1;
  const double floor = Statistic(row, row.floor), velnor = Statistic(row, row.velnor);
  return floor > 0 && velnor >= 0 ? velnor / floor : -1;
}

std::string Verdict(const Row& row) {
  const size_t bar = row.target.find('|');
  if (bar == std::string::npos) return row.target;
  const std::string text = row.target.substr(0, bar), rule = row.target.substr(bar + 1);
  std::string verdict = "n/a";
  if (rule == "met" || rule == "missed") {
    verdict = rule;
  } else if (rule.rfind("ratio<=", 0) == 0) {
    const double ratio = Ratio(row);
    if (ratio >= 0) verdict = ratio <= std::atof(rule.c_str() + 7) ? "met" : "missed";
  } else if (rule.rfind("velnor<", 0) == 0 && Measured(row.velnor)) {
    const bool inclusive = rule[7] == '=';
    const double limit = std::atof(rule.c_str() + (inclusive ? 8 : 7)), v = Statistic(row, row.velnor);
    verdict = (inclusive ? v <= limit : v < limit) ? "met" : "missed";
  }
  return text + ": " + verdict;
}

std::string Count(const Samples& s) { return Measured(s) ? std::to_string(s.values.size()) : "-"; }

Cells CellsOf(const Row& row) {
  const double ratio = Ratio(row);
  char ratioText[32] = "-";
  if (ratio >= 0) std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
  return {row.figure,
          Value(row, row.velnor),
          Value(row, row.floor),
          ratioText,
          Spread(row, row.velnor),
          Spread(row, row.floor),
          Count(row.velnor) + " / " + Count(row.floor),
          Verdict(row)};
}

void PrintPlain(const std::vector<Cells>& table) {
  std::vector<size_t> width(kHeader.size());
  for (const Cells& cells : table)
    for (size_t i = 0; i < cells.size(); ++i) width[i] = std::max(width[i], cells[i].size());
  for (size_t r = 0; r < table.size(); ++r) {
    std::string line;
    for (size_t i = 0; i < table[r].size(); ++i)
      line += (i ? "  " : "") + table[r][i] + std::string(width[i] - table[r][i].size(), ' ');
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
    if (r == 0) {
      size_t total = 0;
      for (size_t w : width) total += w + 2;
      std::printf("%s\n", std::string(total - 2, '-').c_str());
    }
  }
}

void WriteMarkdown(const std::string& path, const std::vector<std::string>& context,
                   const std::vector<Cells>& table, const std::vector<Row>& rows) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "w"));
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fprintf(f.get(), "# Velnor benchmarks\n\n");
  for (const std::string& line : context) std::fprintf(f.get(), "- %s\n", line.c_str());
  std::fprintf(f.get(), "\n");
  for (size_t r = 0; r < table.size(); ++r) {
    std::string line = "|";
    for (const std::string& cell : table[r]) {
      // Markdown drops leading blanks; the indented sub-figures keep theirs.
      const size_t indent = cell.find_first_not_of(' ');
      std::string shown = cell;
      if (indent != std::string::npos && indent > 0) {
        shown = cell.substr(indent);
        for (size_t i = 0; i < indent; ++i) shown = "&nbsp;" + shown;
      }
      line += " " + shown + " |";
    }
    std::fprintf(f.get(), "%s\n", line.c_str());
    if (r == 0) {
      std::string rule = "|";
      for (size_t i = 0; i < table[r].size(); ++i) rule += i == 0 ? " --- |" : " ---: |";
      std::fprintf(f.get(), "%s\n", rule.c_str());
    }
  }
  std::fprintf(f.get(), "\nNotes:\n\n");
  for (const Row& row : rows)
    if (!row.note.empty()) std::fprintf(f.get(), "- **%s**: %s\n", row.figure.c_str(), row.note.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  return RunDriver(argc, argv, 2, "<results file> <markdown file>", [](const auto& args) {
    std::vector<std::string> context;
    const std::vector<Row> rows = ReadRows(args[0], context);
    std::vector<Cells> table = {kHeader};
    for (const Row& row : rows) table.push_back(CellsOf(row));
    for (const std::string& line : context) std::printf("%s\n", line.c_str());
    std::printf("\n");
    PrintPlain(table);
    std::printf("\nNotes:\n");
    for (const Row& row : rows)
      if (!row.note.empty()) std::printf("- %s: %s\n", row.figure.c_str(), row.note.c_str());
    WriteMarkdown(args[1], context, table, rows);
  });
}
