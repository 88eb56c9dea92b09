#include "project/UOpenConf.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UProject_Folders.h"
#include "ui/UDefault_Button.h"

#include <QListWidget>
#include <QShowEvent>
#include "lang/UText.h"

TFOpenConf *FOpenConf = nullptr;

namespace {
constexpr int List_Left = 16;
constexpr int List_Top = 94;
constexpr int List_Right_Margin = 26;
constexpr int List_Gap_Above_Panel = 4;
} // namespace

TFOpenConf::TFOpenConf(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    // The one resizable dialog: the list and the buttons follow the edges.
    setMinimumSize(260, 200);
    resize(377, 351);
    Title = Create_Title_Band(this, 377);
    Set_Label_Text(Title.L_SW_Code, SW_Code);

    Label1 = Create_Label(this, QStringLiteral("Label1"), 16, 70);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFOpenConf::ListBox1Click);

    m_panel = Create_Project_Button_Panel(this, List_Right_Margin);
    P_Button = m_panel.P_Button;
    Btn_OK = m_panel.Btn_OK;
    Btn_Cancel = m_panel.Btn_Cancel;
    connect(Btn_OK, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    // Enter, or a double-click on a configuration, opens it as OK does.
    Set_Default_Button(this, Btn_OK);
    connect(ListBox1, &QListWidget::itemDoubleClicked, Btn_OK, &QAbstractButton::click);

    Place_Controls();
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(Lang(Text::Open_Conf_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::Open_Conf_Subtitle));
    Set_Label_Text(Label1, Lang(Text::Open_Conf_List));
    // A list view ignores its buddy label; screen readers need the name itself.
    ListBox1->setAccessibleName(Lang(Text::Open_Conf_List));
    Btn_OK->Set_Caption(Lang(Text::Open_Conf_OK));
    Btn_Cancel->Set_Caption(Lang(Text::Open_Conf_Cancel));
    Set_Hint(ListBox1, Lang(Text::Open_Conf_List_Hint));
    Btn_OK->Set_Hint(Lang(Text::Open_Conf_OK_Hint));
    Btn_Cancel->Set_Hint(Lang(Text::Open_Conf_Cancel_Hint));
}

void TFOpenConf::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Place_Controls();
}

void TFOpenConf::Place_Controls()
{
    Title.P_Title->resize(width(), Title.P_Title->height());
    Place_Project_Button_Panel(m_panel, width(), height(), List_Right_Margin);
    ListBox1->setGeometry(List_Left, List_Top, width() - List_Left - List_Right_Margin,
                          P_Button->y() - List_Gap_Above_Panel - List_Top);
}

void TFOpenConf::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL = List_Configurations(Path_Projects);
}

int TFOpenConf::Search_Open_Conf(const QString &name) const
{
    return Search_Configuration(SL, name);
}

void TFOpenConf::ListBox1Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    Name_Conf = item ? item->text() : QString();
}

void TFOpenConf::FormShow()
{
    Center_On_Screen(this);
    Load_Existing_Configuration();
    ListBox1->clear();
    ListBox1->addItems(SL);
    const QString current = Path_Project.mid(Path_Projects.size() + 1);
    const int i = Search_Open_Conf(current);
    if (i != -1)
        ListBox1->setCurrentRow(i);
    else if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1Click();
}
