#pragma once
// What a click on a caption anchor does with its target: addresses of the web or
// of mail go to the shell, anything else to the control's own event.
#include <functional>
#include <string>

#include "framework/events.h"

class Component;

// Sender and the anchor's target.
using TAnchorClick = Event<Component*, const std::string&>;

// Sender and the target of the anchor under the pointer, which the handler may
// replace with the hint to show.
using TAnchorHintEvent = Event<Component*, std::string&>;

enum class AnchorAction { aaNone, aaShell, aaEvent };

// An empty target does nothing; one containing "://" or "mailto:" opens in the shell.
AnchorAction AnchorActionFor(const std::string& target);

// Hands a target to the shell; a control may be given another one, which a test uses
// to see what would be opened without opening it.
using TShellOpener = std::function<void(const std::string& target)>;
// ShellExecuteA "open" with no owner window, shown normally; its result is not looked at.
void ShellOpen(const std::string& target);

// Carries out that action: open (the shell), or onAnchorClick when it is set.
void FollowAnchor(Component* sender, const std::string& target, const TAnchorClick& onAnchorClick,
                  const TShellOpener& open = ShellOpen);
