#pragma once
// Create New Configuration: asks for a name and makes the configuration folder
// with its empty bin folder under PROJECTS.

#include "ui/UWidgets.h"

#include <QDialog>

class QLineEdit;

class TFNew_Project : public QDialog
{
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget *parent = nullptr);

    void Set_Lang();
    // Creates the configuration named in E_New_Proj, or says why it cannot;
    // on success Name_Conf names it and the dialog closes with OK.
    void Btn_OKClick();

    TTitleBand Title;
    QLabel *Label1;
    QLineEdit *E_New_Proj;
    QWidget *P_Button;
    TImageButton *Btn_OK;
    TImageButton *Btn_Cancel;

    // The configuration made, once the dialog closed with OK.
    QString Name_Conf;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
};

extern TFNew_Project *FNew_Project;
