#pragma once
// Dialogs taller than a short screen (a 1366 x 768 laptop, a 1920 x 1080 one
// at 150 %): their middle scrolls, so the title band above and the buttons
// below stay on the screen. On a screen tall enough nothing changes.

#include <QScrollArea>

// The client height window can have on its screen: the screen's available
// height less the window's frame, or less the usual title bar and border while
// the window system has not framed the window yet.
int Available_Client_Height(const QWidget *window);

// The middle of a dialog: no frame, the dialog's background, vertical
// scrolling only; widget() is the parent of the controls that scroll. A
// control there that takes the focus is scrolled into view. While the panel
// scrolls, a list under the wheel leaves the wheel to the panel unless the
// list has the focus, so scrolling never changes a choice on the way.
class TScroll_Panel : public QScrollArea
{
public:
    TScroll_Panel(QWidget *dialog, const QString &objectName);

    // Places the panel at top with a view viewHeight high over content of the
    // given size; returns the width it takes: contentWidth, and beside it the
    // scroll bar's when the content is taller than the view.
    int Place(int top, int contentWidth, int contentHeight, int viewHeight);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
