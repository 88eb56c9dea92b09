#include "project/UNew_Project.h"

#include "platform/UPlatform.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UProject_Button_Panel.h"
#include "project/UProject_Folders.h"

#include <QLineEdit>
#include <QShowEvent>
#include "lang/UText.h"

TFNew_Project *FNew_Project = nullptr;

namespace {
constexpr int Client_Width = 331;
constexpr int Edit_Left = 16;
constexpr int Edit_Width = 297;
} // namespace

TFNew_Project::TFNew_Project(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FNew_Project"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, Client_Width, 162);
    Title = Create_Title_Band(this, Client_Width);
    Set_Label_Text(Title.L_SW_Code, SW_Code);

    Label1 = Create_Label(this, QStringLiteral("Label1"), 16, 70);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(Edit_Left, 94, Edit_Width, 21);
    Accept_Only_Storable_Text(E_New_Proj);
    // Enter in the name field is the same as OK (Return and the keypad's Enter).
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);

    const TProject_Button_Panel panel =
        Create_Project_Button_Panel(this, Client_Width - Edit_Left - Edit_Width);
    P_Button = panel.P_Button;
    Btn_OK = panel.Btn_OK;
    Btn_Cancel = panel.Btn_Cancel;
    connect(Btn_OK, &QAbstractButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);

    Pair_Labels(this, {{QStringLiteral("Label1"), QStringLiteral("E_New_Proj")}});
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(Lang(Text::New_Project_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::New_Project_Subtitle));
    Set_Label_Text(Label1, Lang(Text::New_Project_Name));
    Btn_OK->Set_Caption(Lang(Text::New_Project_OK));
    Btn_Cancel->Set_Caption(Lang(Text::New_Project_Cancel));
    Set_Hint(E_New_Proj, Lang(Text::New_Project_Name_Hint));
    Btn_OK->Set_Hint(Lang(Text::New_Project_OK_Hint));
    Btn_Cancel->Set_Hint(Lang(Text::New_Project_Cancel_Hint));
}

void TFNew_Project::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFNew_Project::FormShow()
{
    Center_On_Screen(this);
    E_New_Proj->clear();
    if (E_New_Proj->isEnabled())
        E_New_Proj->setFocus();
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    switch (Create_Project_Folder(Path_Projects, name)) {
    case TNew_Project_Result::Empty_Name:
        Platform().Error_Box(this, Lang(Text::Name_Empty));
        return;
    case TNew_Project_Result::Already_Exists:
        Platform().Error_Box(this, Lang(Text::Name_Exists));
        return;
    case TNew_Project_Result::Not_Valid:
        Platform().Error_Box(this, Lang(Text::Name_Not_Valid));
        return;
    case TNew_Project_Result::Created:
        break;
    }
    Name_Conf = name;
    accept();
}
