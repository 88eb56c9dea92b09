#pragma once
// Enter in a dialog presses its default button, as users of every desktop
// expect; the image buttons are no push buttons, so the dialog's own default
// button mechanism does not serve them.

class QAbstractButton;
class QWidget;

// From now on, Enter (Return or the keypad's Enter) in dialog presses button
// wherever the focused control leaves the key unused; on a focused image
// button it presses that one, as Space does. A dialog without a default
// button (Update Device) leaves Enter unused, so no work starts by it.
void Set_Default_Button(QWidget *dialog, QAbstractButton *button);
