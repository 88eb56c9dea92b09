#include "options/USoftOptions.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFSoftOptions *FSoftOptions = nullptr;

TFSoftOptions::TFSoftOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSoftOptions"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 450, 400);
    Title = Create_Title_Band(this, 450);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(Lang(300));
    Set_Label_Text(Title.L_SW_Desc, Lang(301));
}
