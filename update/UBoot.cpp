#include "update/UBoot.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFBoot *FBoot = nullptr;

TFBoot::TFBoot(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FBoot"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 400, 230);
    Title = Create_Title_Band(this, 400);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFBoot::Set_Lang()
{
    setWindowTitle(Lang(602));
    Set_Label_Text(Title.L_SW_Desc, Lang(603));
}
