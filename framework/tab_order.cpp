#include "framework/tab_order.h"

#include <algorithm>

namespace {
void AppendInTabOrder(const TWinControl& parent, std::vector<TWinControl*>& list) {
  std::vector<TWinControl*> children;
  for (TControl* child : parent.Controls())
    if (child->IsWindowed()) children.push_back(static_cast<TWinControl*>(child));
  // An unset order (-1) sorts after every set one; equal ones keep their placing order.
  auto key = [](const TWinControl* c) { return static_cast<unsigned>(c->TabOrder()); };
  std::stable_sort(children.begin(), children.end(),
                   [&key](const TWinControl* a, const TWinControl* b) { return key(a) < key(b); });
  for (TWinControl* child : children) {
    list.push_back(child);
    AppendInTabOrder(*child, list);
  }
}
}  // namespace

std::vector<TWinControl*> TabOrderList(const TWinControl& root) {
  std::vector<TWinControl*> list;
  AppendInTabOrder(root, list);
  return list;
}

TWinControl* FindNextTabStop(const TWinControl& root, const TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  for (TWinControl* control : TabOrderList(root))
    if (control->TabStop() && control->CanFocus()) stops.push_back(control);
  if (stops.empty()) return nullptr;
  const auto at = std::find(stops.begin(), stops.end(), current);
  if (at == stops.end()) return forward ? stops.front() : stops.back();
  const size_t index = static_cast<size_t>(at - stops.begin());
  const size_t count = stops.size();
  return stops[forward ? (index + 1) % count : (index + count - 1) % count];
}
