#include "options/UAbout.h"

#include "platform/UPlatform.h"
#include "common/UComon.h"
#include "ui/UClickable.h"

#include <QPixmap>
#include <QShowEvent>

TFAbout *FAbout = nullptr;

namespace {
constexpr int Client_Width = 406;
constexpr int Client_Height = 148;
constexpr int Logo_Side = 81;
const QString Document_Code = QStringLiteral("QM40318");

QPixmap Logo_Picture()
{
    return Program_Icon(QStringLiteral(":/icons/logo.svg")).pixmap(Logo_Side, Logo_Side);
}
} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, Client_Width, Client_Height);
    setWindowTitle(QStringLiteral("About..."));

    Image2 = Create_Label(this, QStringLiteral("Image2"), 10, 10);
    Image2->setFixedSize(Logo_Side, Logo_Side);
    Image2->setScaledContents(true);
    Image2->setPixmap(Logo_Picture());
    Make_Clickable(Image2, [this] { Label4Click(); }, false);
    LbButton1 = new TImageButton(QStringLiteral("LbButton1"), QStringLiteral(":/icons/ok.svg"), this);
    LbButton1->setGeometry(10, 104, Logo_Side, 30);
    LbButton1->Set_Caption(QStringLiteral("OK"));
    LbButton1->Set_Hint(QStringLiteral("OK"));
    connect(LbButton1, &QAbstractButton::clicked, this, &QDialog::accept);

    const int left = 104;
    const int valueLeft = 206;
    Label1 = Create_Label(this, QStringLiteral("Label1"), left, 8);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    Label1->setFont(titleFont);
    Set_Label_Text(Label1, QStringLiteral("Software Velmora "));
    Label2 = Create_Label(this, QStringLiteral("Label2"), left, 32);
    Label6 = Create_Label(this, QStringLiteral("Label6"), left, 54);
    Set_Label_Text(Label6, QStringLiteral("Software Code : "));
    Label9 = Create_Label(this, QStringLiteral("Label9"), valueLeft, 54);
    Label3 = Create_Label(this, QStringLiteral("Label3"), left, 72);
    Set_Label_Text(Label3, QStringLiteral("Version :"));
    Label10 = Create_Label(this, QStringLiteral("Label10"), valueLeft, 72);
    Label8 = Create_Label(this, QStringLiteral("Label8"), left, 90);
    Set_Label_Text(Label8, QStringLiteral("Document Code :"));
    Label12 = Create_Label(this, QStringLiteral("Label12"), valueLeft, 90);

    Label4 = Create_Label(this, QStringLiteral("Label4"), left, 120);
    QPalette linkPalette = Label4->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    Label4->setPalette(linkPalette);
    QFont linkFont = Label4->font();
    linkFont.setUnderline(true);
    Label4->setFont(linkFont);
    Set_Label_Text(Label4, Maker_Host);
    Label4->move(Client_Width - 12 - Label4->width(), 120);
    Label4->setAccessibleName(Maker_Host);
    Make_Clickable(Label4, [this] { Label4Click(); });
}

void TFAbout::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TFAbout::FormShow()
{
    Set_Label_Text(Label2, Default_SW_Description);
    Set_Label_Text(Label9, Default_SW_Code);
    Set_Label_Text(Label10, SW_Version);
    Set_Label_Text(Label12, Document_Code);
    Set_Fixed_Client_Size(this, Client_Width, Client_Height);
    Center_On_Screen(this);
}

void TFAbout::Label4Click()
{
    Platform().Open_Url(Maker_Home_Url());
}
