#include "bench/support/rows.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Encode(const Samples& s) {
  if (s.kind == Samples::Kind::NotAvailable) return "n/a";
  if (s.kind == Samples::Kind::None) return "-";
  std::string out;
  char number[32];
  for (double v : s.values) {
    std::snprintf(number, sizeof number, "%s%.6g", out.empty() ? "" : " ", v);
    out += number;
  }
  return out;
}

Samples Decode(const std::string& field) {
  if (field == "n/a") return Samples::NotYet();
  if (field == "-" || field.empty()) return Samples::NoFloor();
  std::vector<double> values;
  std::istringstream in(field);
  for (double v; in >> v;) values.push_back(v);
  return Samples::Of(std::move(values));
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t')
      fields.emplace_back();
    else if (c != '\r' && c != '\n')
      fields.back() += c;
  }
  return fields;
}

}  // namespace

void AppendRow(const std::string& path, const Row& row) {
  File f(std::fopen(path.c_str(), "a"));
  if (!f) throw std::runtime_error("cannot append to " + path);
  std::fprintf(f.get(), "%s\t%s\t%s\t%s\t%s\t%s\t%s\t%d\n", row.figure.c_str(), row.unit.c_str(),
               row.stat.c_str(), row.target.c_str(), Encode(row.velnor).c_str(), Encode(row.floor).c_str(),
               row.note.c_str(), row.ratio ? 1 : 0);
}

std::vector<Row> ReadRows(const std::string& path, std::vector<std::string>& context) {
  File f(std::fopen(path.c_str(), "r"));
  if (!f) throw std::runtime_error("cannot read " + path);
  std::vector<Row> rows;
  char buffer[16384];
  while (std::fgets(buffer, sizeof buffer, f.get())) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty()) continue;
    if (line[0] == '#') {
      context.push_back(line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1));
      continue;
    }
    std::vector<std::string> fields = SplitTabs(line);
    fields.resize(8);
    rows.push_back(Row{fields[0], fields[1], fields[2], fields[3], Decode(fields[4]), Decode(fields[5]),
                       fields[6], fields[7] != "0"});
  }
  return rows;
}
