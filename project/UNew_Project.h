#pragma once
// Create New Configuration: asks for a name and makes the configuration folder
// with its empty bin folder under PROJECTS.

#include "app/UWidgets.h"

#include <QDialog>

class QLineEdit;

class TFNew_Project : public QDialog
{
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget *parent = nullptr);

    void Set_Lang();
    // Creates the configuration named in E_New_Proj, or says why it cannot;
    // on success the open configuration is the new one and the dialog closes.
    void Btn_OKClick();

    TTitleBand Title;
    QLabel *Label1;
    QLineEdit *E_New_Proj;
    QWidget *P_Button;
    TImageButton *Btn_OK;
    TImageButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
};

extern TFNew_Project *FNew_Project;
