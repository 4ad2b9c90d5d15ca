#include "bench/support/paste_score.h"

namespace {
std::vector<std::string> Pieces(const std::string& landed, const std::string& marker) {
  std::vector<std::string> pieces;
  size_t at = landed.find(marker);
  if (at != 0 && !landed.empty()) pieces.push_back(landed.substr(0, at));  // no paste starts so
  while (at != std::string::npos) {
    const size_t next = landed.find(marker, at + marker.size());
    pieces.push_back(landed.substr(at, next == std::string::npos ? std::string::npos : next - at));
    at = next;
  }
  return pieces;
}
}  // namespace

PasteScore ScorePastes(const std::vector<std::string>& expected, const std::string& landed,
                       const std::string& marker) {
  const std::vector<std::string> pieces = Pieces(landed, marker);
  PasteScore score;
  size_t press = 0, piece = 0;
  while (press < expected.size() && piece < pieces.size()) {
    if (pieces[piece] == expected[press]) {
      ++score.right;
      ++press;
      ++piece;
    } else if (press + 1 < expected.size() && pieces[piece] == expected[press + 1]) {
      ++score.lost;  // this press's text is missing, the next one's is here
      ++press;
    } else {
      ++score.wrong;
      ++press;
      ++piece;
    }
  }
  score.lost += static_cast<long>(expected.size() - press);
  score.wrong += static_cast<long>(pieces.size() - piece);  // more pastes than presses
  return score;
}
