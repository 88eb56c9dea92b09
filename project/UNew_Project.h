#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFNew_Project : public QDialog
{
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
};

extern TFNew_Project *FNew_Project;
