#include "project/UProject_Button_Panel.h"

namespace {
constexpr int Panel_Height = 40;
constexpr int Button_Width = 112;
constexpr int Button_Height = 28;
constexpr int Gap = 8;
} // namespace

TProject_Button_Panel Create_Project_Button_Panel(QWidget *dialog, int rightMargin)
{
    TProject_Button_Panel panel;
    panel.P_Button = new QWidget(dialog);
    panel.P_Button->setObjectName(QStringLiteral("P_Button"));
    panel.Btn_OK = new TImageButton(QStringLiteral("Btn_OK"), QStringLiteral(":/icons/ok.svg"),
                                    panel.P_Button);
    panel.Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"),
                                        QStringLiteral(":/icons/cancel.svg"), panel.P_Button);
    Place_Project_Button_Panel(panel, dialog->width(), dialog->height(), rightMargin);
    return panel;
}

void Place_Project_Button_Panel(const TProject_Button_Panel &panel, int clientWidth,
                                int clientHeight, int rightMargin)
{
    panel.P_Button->setGeometry(0, clientHeight - Panel_Height, clientWidth, Panel_Height);
    const int top = (Panel_Height - Button_Height) / 2;
    const int cancelLeft = clientWidth - rightMargin - Button_Width;
    panel.Btn_Cancel->setGeometry(cancelLeft, top, Button_Width, Button_Height);
    panel.Btn_OK->setGeometry(cancelLeft - Gap - Button_Width, top, Button_Width, Button_Height);
}
