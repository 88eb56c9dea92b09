#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
};

extern TFAbout *FAbout;
