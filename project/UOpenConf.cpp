#include "project/UOpenConf.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFOpenConf *FOpenConf = nullptr;

TFOpenConf::TFOpenConf(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 377, 351);
    Title = Create_Title_Band(this, 377);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(Lang(200));
    Set_Label_Text(Title.L_SW_Desc, Lang(201));
}
