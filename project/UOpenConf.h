#pragma once
// Open Configuration: lists the configuration folders under PROJECTS and
// returns the chosen name in Name_Conf.

#include "ui/UWidgets.h"
#include "project/UProject_Button_Panel.h"

#include <QDialog>
#include <QStringList>

class QListWidget;

class TFOpenConf : public QDialog
{
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget *parent = nullptr);

    void Set_Lang();
    // Fills SL with the configuration names found on disk.
    void Load_Existing_Configuration();
    // The row of name in SL (ASCII letters compared in upper case), or -1.
    int Search_Open_Conf(const QString &name) const;
    void ListBox1Click();

    TTitleBand Title;
    QLabel *Label1;
    QListWidget *ListBox1;
    QWidget *P_Button;
    TImageButton *Btn_OK;
    TImageButton *Btn_Cancel;

    QStringList SL;
    QString Name_Conf;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormShow();
    // The list and the buttons follow the dialog's edges.
    void Place_Controls();

    TProject_Button_Panel m_panel;
};

extern TFOpenConf *FOpenConf;
