#include "project/UNew_Project.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFNew_Project *FNew_Project = nullptr;

TFNew_Project::TFNew_Project(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FNew_Project"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 331, 162);
    Title = Create_Title_Band(this, 331);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(Lang(100));
    Set_Label_Text(Title.L_SW_Desc, Lang(101));
}
