#pragma once
// The shared look of every window: the font, the background colour, the title
// band and the image buttons that change colour under the pointer.

#include "ui/UProgram_Icon.h"

#include <QAbstractButton>
#include <QColor>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QString>

class QLineEdit;

extern const QColor Window_Colour;   // 248, 247, 237
extern const QColor Hover_Colour;    // yellow
extern const QColor Small_Hover_Colour; // sky blue, for collapse and expand
extern const QColor Pressed_Colour;  // 255, 128, 0

// Verdana 11 px, or the system's sans font where Verdana is missing.
QFont Window_Font();
// Font, background colour and the fixed look of a window.
void Apply_Look(QWidget *window);
// Moves a window to the middle of the screen it is on.
void Center_On_Screen(QWidget *window);
// Fixes the client area (fixed single border windows).
void Set_Fixed_Client_Size(QWidget *window, int width, int height);
// A window whose only title-bar button is the close box.
void Set_Dialog_Flags(QWidget *window);

// A real push button drawn as an icon with an optional caption: keyboard
// operable, its caption (else its hint) is its accessible name, its hint is
// the tooltip.
class TImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    // icon: an icon's name for Program_Icon such as ":/icons/ok.svg"; small
    // buttons turn sky blue under the pointer instead of yellow.
    explicit TImageButton(const QString &objectName, const QString &icon, QWidget *parent,
                          bool small = false);

    void Set_Caption(const QString &caption);
    void Set_Hint(const QString &hint);
    QString Caption() const { return text(); }
    QString Hint() const { return m_hint; }
    // As wide as the icon and the caption need, at least least.
    int Fitting_Width(int least) const;

    // The colour the button shows now (for tests and for painting).
    QColor Face_Colour() const;
    // The icon and the side of the square it is drawn in at the present size.
    const QIcon &Icon() const { return m_icon; }
    int Icon_Side() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void Update_Accessible_Name();

    QIcon m_icon;
    QString m_hint;
    bool m_small = false;
    bool m_hover = false;
};

// The title band at the top of every window: the software code in large grey
// type and a bold subtitle.
struct TTitleBand
{
    QWidget *P_Title = nullptr;
    QLabel *L_SW_Code = nullptr;
    QLabel *L_SW_Desc = nullptr;
};
// Builds P_Title (69 high, across width) with L_SW_Code at (16, 8) and
// L_SW_Desc at (16, 42) inside parent.
TTitleBand Create_Title_Band(QWidget *parent, int width);
// Styles an existing label as the large grey code or the bold grey subtitle.
void Style_Code_Label(QLabel *label);
void Style_Bold_Grey_Label(QLabel *label);

// A plain label placed at (left, top) under the object name tests and screen
// readers know it by. It shows its text literally: a configuration named
// "<b>Plant" is shown with its brackets, never as markup.
QLabel *Create_Label(QWidget *parent, const QString &objectName, int left, int top);

// Sets a control's tooltip so that it shows hint literally, as labels do.
void Set_Hint(QWidget *control, const QString &hint);
// The tooltip text that shows hint literally.
QString Literal_Hint(const QString &hint);

// An edit field refuses the characters no saved file can hold, so a value
// typed or pasted there can always be written and read back.
void Accept_Only_Storable_Text(QLineEdit *edit);

// Sets a label's text and sizes the label to it, as the labels of every
// window size themselves to their caption.
void Set_Label_Text(QLabel *label, const QString &text);
// A label's text in colour.
void Set_Text_Colour(QLabel *label, const QColor &colour);
// Shows text in a label of fixed width, cut (at its end, or as mode says)
// when it is too long; the whole text stays its hint and what a screen
// reader says.
void Set_Fitted_Text(QLabel *label, const QString &text, Qt::TextElideMode mode = Qt::ElideRight);

// A control under its caption: the label shows caption, the control takes
// hint as its tooltip, and a screen reader says both for the control.
void Set_Caption(QLabel *label, QWidget *control, const QString &caption, const QString &hint);

// Makes each label the buddy of the control it names, so screen readers
// announce the control by the label's (translated) caption.
void Pair_Labels(QWidget *window, const QList<QPair<QString, QString>> &labelToControl);
