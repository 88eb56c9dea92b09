#pragma once
// The four edit fields of a dotted-quad address, as the dialogs that ask for
// a device's address have them: a "." typed in one moves on to the next and
// is never inserted, so an address can be typed as it is written.

#include <QList>

class QKeyEvent;
class QLineEdit;
class QObject;

// The key handler of fields, given in their order, for key pressed in
// sender: a "." gives the next field the focus (when it can take it) and is
// used up, also in the last field; true when the key was used up.
bool Octet_Key_Press(const QList<QLineEdit *> &fields, const QObject *sender, const QKeyEvent *key);

// Gives field the focus with its whole text selected, so typing replaces
// what stood there.
void Focus_And_Select(QLineEdit *field);
