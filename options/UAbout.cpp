#include "options/UAbout.h"

#include "common/UComon.h"
#include "lang/ULang.h"

TFAbout *FAbout = nullptr;

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, 406, 148);
    Title = Create_Title_Band(this, 406);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Set_Lang();
}

void TFAbout::Set_Lang()
{
    setWindowTitle(Lang(0));
    Set_Label_Text(Title.L_SW_Desc, Lang(0));
}
