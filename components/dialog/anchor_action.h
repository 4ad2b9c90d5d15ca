#pragma once
// What a click on a caption anchor does with its target: addresses of the web or
// of mail go to the shell, anything else to the control's own event.
#include <string>

#include "framework/events.h"

class Component;

// Sender and the anchor's target.
using TAnchorClick = Event<Component*, const std::string&>;

enum class AnchorAction { aaNone, aaShell, aaEvent };

// An empty target does nothing; one containing "://" or "mailto:" opens in the shell.
AnchorAction AnchorActionFor(const std::string& target);

// Carries out that action: ShellExecuteA "open", or onAnchorClick when it is set.
void FollowAnchor(Component* sender, const std::string& target, const TAnchorClick& onAnchorClick);
