#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFBoot : public QDialog
{
    Q_OBJECT
public:
    explicit TFBoot(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
};

extern TFBoot *FBoot;
