#pragma once
// The results file: one tab-separated line per figure, turned into the table by
// bench_report. A drivers' figure carries the raw samples of Velnor and of its floor
// program; the report derives the statistic, the ratio and the spread from them.
#include <string>
#include <vector>

// What one side of a figure holds: samples, nothing yet ("n/a": the program does not
// have the feature), or nothing by design ("-": the figure has no floor).
struct Samples {
  enum class Kind { Values, NotAvailable, None };
  Kind kind = Kind::None;
  std::vector<double> values;

  static Samples Of(std::vector<double> v) { return {Kind::Values, std::move(v)}; }
  static Samples One(double v) { return {Kind::Values, {v}}; }
  static Samples NotYet() { return {Kind::NotAvailable, {}}; }
  static Samples NoFloor() { return {Kind::None, {}}; }
};

struct Row {
  std::string figure;
  std::string unit;             // "ms", "KB", "us", "count"
  std::string stat = "median";  // median, p99 or value (a single reading)
  std::string target;           // "<text>|<rule>": rule ratio<=X, velnor<=X, velnor<X, met, missed
  Samples velnor;
  Samples floor;
  std::string note;
  bool ratio = true;  // false where Velnor / floor means nothing (differences, counts of DLLs)
};

// Appends one line; throws std::runtime_error when the file cannot be written.
void AppendRow(const std::string& path, const Row& row);
// Reads every row back; lines starting with '#' go to context, in order.
std::vector<Row> ReadRows(const std::string& path, std::vector<std::string>& context);
