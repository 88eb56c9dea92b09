#pragma once
// Labels that act as links or buttons: a left click runs an action.

#include <QLabel>
#include <functional>

// Gives label the hand cursor and runs action on a left click; with keyboard,
// the label also takes the focus and runs action on Enter or Space.
void Make_Clickable(QLabel *label, std::function<void()> action, bool keyboard = true);
