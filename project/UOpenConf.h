#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFOpenConf : public QDialog
{
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
    QString Name_Conf;
};

extern TFOpenConf *FOpenConf;
