#pragma once

#include "app/UWidgets.h"

#include <QDialog>

class TFSoftOptions : public QDialog
{
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget *parent = nullptr);

    void Set_Lang();

    TTitleBand Title;
};

extern TFSoftOptions *FSoftOptions;
