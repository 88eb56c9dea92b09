#pragma once
// The bottom panel of the two project dialogs: OK and Cancel at its right end.

#include "ui/UWidgets.h"

struct TProject_Button_Panel
{
    QWidget *P_Button = nullptr;
    TImageButton *Btn_OK = nullptr;
    TImageButton *Btn_Cancel = nullptr;
};

// Builds P_Button (40 high) along the bottom of the dialog, the buttons
// ending rightMargin from its right edge, where the content above them ends.
TProject_Button_Panel Create_Project_Button_Panel(QWidget *dialog, int rightMargin);
// Keeps the panel at the bottom and the buttons at its right after a resize.
void Place_Project_Button_Panel(const TProject_Button_Panel &panel, int clientWidth,
                                int clientHeight, int rightMargin);
