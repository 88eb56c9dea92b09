#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFParGen : public QDialog
{
    Q_OBJECT
public:
    explicit TFParGen(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
};

extern TFParGen *FParGen;
