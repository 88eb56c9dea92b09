#include "params/UParGen.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFParGen *FParGen = nullptr;

TFParGen::TFParGen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FParGen"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 312, 854);
    Title = Create_Title_Band(this, 312);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFParGen::Set_Lang()
{
    setWindowTitle(Lang(400));
    Set_Label_Text(Title.L_SW_Desc, Lang(401));
}
