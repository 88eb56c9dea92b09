#pragma once
// The About box: the program, the device it configures, its software code,
// version and manual code, and the link to the maker's web site. Its texts
// are fixed English texts, untouched by a change of language.

#include "ui/UWidgets.h"

#include <QDialog>

class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    void FormShow();
    // The click on the link and on the logo.
    void Label4Click();

    QLabel *Image2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label6;
    QLabel *Label9;
    QLabel *Label3;
    QLabel *Label10;
    QLabel *Label8;
    QLabel *Label12;
    QLabel *Label4;
    TImageButton *LbButton1;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFAbout *FAbout;
