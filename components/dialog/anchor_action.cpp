#include "components/dialog/anchor_action.h"

#include <windows.h>
// The system headers below build on windows.h.
#include <shellapi.h>

AnchorAction AnchorActionFor(const std::string& target) {
  if (target.empty()) return AnchorAction::aaNone;
  if (target.find("://") != std::string::npos || target.find("mailto:") != std::string::npos)
    return AnchorAction::aaShell;
  return AnchorAction::aaEvent;
}

void ShellOpen(const std::string& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FollowAnchor(Component* sender, const std::string& target, const TAnchorClick& onAnchorClick,
                  const TShellOpener& open) {
  switch (AnchorActionFor(target)) {
    case AnchorAction::aaShell:
      if (open) open(target);
      return;
    case AnchorAction::aaEvent:
      if (onAnchorClick) onAnchorClick(sender, target);
      return;
    case AnchorAction::aaNone:
      return;
  }
}
