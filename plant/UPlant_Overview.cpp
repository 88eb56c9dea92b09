#include "plant/UPlant_Overview.h"

#include "common/UComon.h"
#include "common/UParallel_Writes.h"
#include "image/USaveBincc.h"
#include "lang/ULang.h"
#include "lang/UText.h"
#include "platform/UPlatform.h"
#include "plant/UPlant_Grid.h"
#include "plant/UPlant_Report.h"
#include "plant/UPlant_Texts.h"
#include "ui/UInput_Blocker.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

TFPlant_Overview *FPlant_Overview = nullptr;

namespace {

constexpr int Margin = 16;
constexpr int Button_Height = 30;
constexpr int Button_Width = 110;
// The window at first, where the screen has room for it.
constexpr int Default_Width = 1500;
constexpr int Default_Height = 640;
constexpr int Least_Width = 640;
constexpr int Least_Height = 400;
// A window's title bar and borders, beyond its client area.
constexpr int Frame_Allowance = 40;

TImageButton *Create_Button(QWidget *parent, const QString &name, const QString &icon)
{
    auto *button = new TImageButton(name, QStringLiteral(":/icons/%1.svg").arg(icon), parent);
    button->setFixedHeight(Button_Height);
    return button;
}

// The name of a configuration's folder.
QString Name_Of(const QString &project)
{
    return project.section(QLatin1Char('/'), -1);
}

} // namespace

TFPlant_Overview::TFPlant_Overview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FPlant_Overview"));
    // Resizable, and it may fill the screen: a plant has many rows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    Apply_Look(this);
    Create_Controls();
    Set_Tab_Order();
    setMinimumSize(Least_Width, Least_Height);
    resize(Default_Width, Default_Height);

    connect(&m_checks, &TPlant_Checks::Checked, this,
            [this](const QString &project, const TCheck_Result &, const QString &logError) {
                Show_Checked(project, logError);
            });
    connect(&m_checks, &TPlant_Checks::Finished, this, &TFPlant_Overview::Checks_Ended);
    Set_Lang();
    Show_Buttons();
}

// The checks' runners cancel and wait; the workers wait for their threads.
TFPlant_Overview::~TFPlant_Overview() = default;

void TFPlant_Overview::Create_Controls()
{
    Title = Create_Title_Band(this, Default_Width);
    Title.P_Title->setFixedHeight(Title.P_Title->height());
    Set_Label_Text(Title.L_SW_Code, SW_Code);

    L_Filter = Create_Label(this, QStringLiteral("L_Filter"), 0, 0);
    E_Filter = new QLineEdit(this);
    E_Filter->setObjectName(QStringLiteral("E_Filter"));
    E_Filter->setClearButtonEnabled(true);
    E_Filter->setFixedWidth(260);
    L_Filter->setBuddy(E_Filter);
    connect(E_Filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        Grid->Set_Filter(text);
        // Enter opens the first row the filter leaves when the chosen one went.
        const QStringList listed = Grid->Listed_Names();
        if (Grid->Current_Name().isEmpty() && !listed.isEmpty())
            Grid->Choose(listed.first());
        Show_Summary();
        Show_Buttons();
    });
    Btn_Refresh = Create_Button(this, QStringLiteral("Btn_Refresh"), QStringLiteral("refresh"));
    connect(Btn_Refresh, &QAbstractButton::clicked, this, &TFPlant_Overview::Refresh);

    Grid = new TPlant_Grid(this);
    SG_Plant = Grid->Table();
    connect(SG_Plant, &QTableWidget::cellDoubleClicked, this, [this] { Open_Chosen(); });
    connect(SG_Plant->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        // The last column takes the room the window leaves; a column the
        // user drew wider or narrower is kept.
        QHeaderView *header = SG_Plant->horizontalHeader();
        if (!m_fitting && column != header->logicalIndex(header->count() - 1))
            m_user_widths = true;
    });
    connect(SG_Plant->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { Show_Buttons(); });

    L_Summary = Create_Label(this, QStringLiteral("L_Summary"), 0, 0);
    PB_Progress = new QProgressBar(this);
    PB_Progress->setObjectName(QStringLiteral("PB_Progress"));
    PB_Progress->setFixedWidth(220);
    PB_Progress->setTextVisible(true);
    PB_Progress->hide();
    L_Status = Create_Label(this, QStringLiteral("L_Status"), 0, 0);

    Btn_Open = Create_Button(this, QStringLiteral("Btn_Open"), QStringLiteral("open"));
    Btn_Check = Create_Button(this, QStringLiteral("Btn_Check"), QStringLiteral("start"));
    Btn_Check_All = Create_Button(this, QStringLiteral("Btn_Check_All"), QStringLiteral("check"));
    Btn_Build_Images = Create_Button(this, QStringLiteral("Btn_Build_Images"), QStringLiteral("update"));
    Btn_Save_Report = Create_Button(this, QStringLiteral("Btn_Save_Report"), QStringLiteral("report"));
    Btn_Cancel = Create_Button(this, QStringLiteral("Btn_Cancel"), QStringLiteral("stop"));
    Btn_Close = Create_Button(this, QStringLiteral("Btn_Close"), QStringLiteral("close"));
    connect(Btn_Open, &QAbstractButton::clicked, this, &TFPlant_Overview::Open_Chosen);
    connect(Btn_Check, &QAbstractButton::clicked, this, &TFPlant_Overview::Check_Chosen);
    connect(Btn_Check_All, &QAbstractButton::clicked, this, &TFPlant_Overview::Check_All);
    connect(Btn_Build_Images, &QAbstractButton::clicked, this, &TFPlant_Overview::Build_Images);
    connect(Btn_Save_Report, &QAbstractButton::clicked, this, &TFPlant_Overview::Save_Report);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &TFPlant_Overview::Cancel_Checks);
    connect(Btn_Close, &QAbstractButton::clicked, this, &QDialog::reject);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(L_Filter);
    filterRow->addWidget(E_Filter);
    filterRow->addStretch(1);
    filterRow->addWidget(Btn_Refresh);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(L_Summary, 1);
    statusRow->addWidget(L_Status);
    statusRow->addWidget(PB_Progress);
    auto *buttonRow = new QHBoxLayout;
    for (TImageButton *button : {Btn_Open, Btn_Check, Btn_Check_All, Btn_Build_Images, Btn_Save_Report})
        buttonRow->addWidget(button);
    buttonRow->addStretch(1);
    buttonRow->addWidget(Btn_Cancel);
    buttonRow->addWidget(Btn_Close);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(Margin, 4, Margin, 8);
    body->addLayout(filterRow);
    body->addWidget(SG_Plant, 1);
    body->addLayout(statusRow);
    body->addLayout(buttonRow);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(Title.P_Title);
    window->addLayout(body, 1);
}

void TFPlant_Overview::Set_Tab_Order()
{
    const QList<QWidget *> order{E_Filter,      Btn_Refresh,      SG_Plant,        Btn_Open,   Btn_Check,
                                 Btn_Check_All, Btn_Build_Images, Btn_Save_Report, Btn_Cancel, Btn_Close};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

void TFPlant_Overview::Set_Lang()
{
    setWindowTitle(Lang(Text::Plant_Overview));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::Plant_Subtitle));
    Set_Caption(L_Filter, E_Filter, Lang(Text::Plant_Filter), Lang(Text::Plant_Filter_Hint));
    Set_Hint(SG_Plant, Lang(Text::Plant_Table_Hint));
    SG_Plant->setAccessibleName(Lang(Text::Plant_Overview));
    const QList<std::tuple<TImageButton *, int, int>> buttons{
        {Btn_Refresh, Text::Plant_Refresh, Text::Plant_Refresh_Hint},
        {Btn_Open, Text::Plant_Open, Text::Plant_Open_Hint},
        {Btn_Check, Text::Plant_Check, Text::Plant_Check_Hint},
        {Btn_Check_All, Text::Plant_Check_All, Text::Plant_Check_All_Hint},
        {Btn_Build_Images, Text::Plant_Build_Images, Text::Plant_Build_Images_Hint},
        {Btn_Save_Report, Text::Plant_Save_Report, Text::Plant_Save_Report_Hint},
        {Btn_Cancel, Text::Plant_Cancel, Text::Plant_Cancel_Hint},
        {Btn_Close, Text::Plant_Close, Text::Plant_Close_Hint}};
    for (const auto &[button, caption, hint] : buttons) {
        button->Set_Caption(Lang(caption));
        button->Set_Hint(Lang(hint));
        button->setMinimumWidth(button->Fitting_Width(Button_Width));
    }
    Grid->Set_Titles(Lang_Strings);
    for (const TPlant_Row &row : std::as_const(m_rows))
        Grid->Update_Row(row, Lang_Strings);
    if (!m_user_widths) {
        m_fitting = true;
        Grid->Fit_Columns(Lang_Strings);
        m_fitting = false;
    }
    Show_Summary();
    Show_Progress();
}

void TFPlant_Overview::showEvent(QShowEvent *event)
{
    // Restored from the task bar: the rows and what runs stay as they are.
    if (!event->spontaneous()) {
        Set_Label_Text(Title.L_SW_Code, SW_Code);
        Fit_To_Screen();
        Center_On_Screen(this);
        if (Plant_Column_Widths.size() == Plant_Column_Count) {
            m_user_widths = true;
            Grid->Set_Column_Widths(Plant_Column_Widths);
        }
        SG_Plant->setFocus(Qt::OtherFocusReason);
        if (!Checking())
            Refresh();
    }
    QDialog::showEvent(event);
}

// The size it was closed at, else its own, never beyond the screen.
void TFPlant_Overview::Fit_To_Screen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QSize size = Plant_Width > 0 ? QSize(Plant_Width, Plant_Height) : QSize(Default_Width, Default_Height);
    if (screen) {
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(QSize(room.width() - Frame_Allowance / 2, room.height() - Frame_Allowance));
        setMinimumSize(QSize(Least_Width, Least_Height).boundedTo(size));
    }
    resize(size);
}

void TFPlant_Overview::Refresh()
{
    m_read_all = true;
    Read_Next();
    Show_Buttons();
}

void TFPlant_Overview::Read_Next()
{
    if (m_reader.Busy())
        return;
    const QString projects = Path_Projects;
    const auto rows = std::make_shared<QList<TPlant_Row>>();
    if (m_read_all) {
        m_read_all = false;
        m_reread.clear();
        Set_Label_Text(L_Status, Lang(Text::Plant_Reading));
        m_reader.Start([projects, rows] { *rows = Read_Plant(projects); },
                       [this, rows] {
                           Set_Label_Text(L_Status, QString());
                           Show_All(*rows);
                           Read_Next();
                       });
    } else if (!m_reread.isEmpty()) {
        const QStringList names = m_reread;
        m_reread.clear();
        m_reader.Start([projects, names, rows] { *rows = Read_Plant_Rows(projects, names); },
                       [this, rows] {
                           Merge(*rows);
                           Read_Next();
                       });
    }
}

void TFPlant_Overview::Show_All(const QList<TPlant_Row> &rows)
{
    m_rows = rows;
    Grid->Show_Rows(m_rows, Lang_Strings);
    if (!m_user_widths) {
        m_fitting = true;
        Grid->Fit_Columns(Lang_Strings);
        m_fitting = false;
    }
    // The open configuration chosen, as Open Configuration does, the first time.
    if (!m_shown_once && !Name_Project.isEmpty())
        Grid->Choose(Name_Project);
    else if (SG_Plant->currentRow() < 0 && !m_rows.isEmpty())
        SG_Plant->setCurrentCell(0, 0);
    m_shown_once = true;
    Show_Summary();
    Show_Buttons();
    emit Rows_Shown();
}

// Rows read again after their check or image: in their place, and the
// addresses shared among all rows marked anew.
void TFPlant_Overview::Merge(const QList<TPlant_Row> &rows)
{
    QList<QStringList> shared;
    QHash<QString, qsizetype> places;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        shared << m_rows.at(i).Shared_With;
        places.insert(m_rows.at(i).Name, i);
    }
    QSet<QString> fresh;
    for (const TPlant_Row &row : rows) {
        // A folder gone since the whole read stays out until the next one.
        if (places.contains(row.Name)) {
            m_rows[places.value(row.Name)] = row;
            fresh.insert(row.Name);
        }
    }
    Mark_Shared_Addresses(m_rows);
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (fresh.contains(m_rows.at(i).Name) || m_rows.at(i).Shared_With != shared.at(i))
            Grid->Update_Row(m_rows.at(i), Lang_Strings);
    }
    Show_Summary();
}

void TFPlant_Overview::Show_Summary()
{
    const QStringList names = Grid->Listed_Names();
    QString text = Plant_Summary_Text(Summarize_Plant(m_rows), Lang_Strings);
    if (names.size() != m_rows.size())
        text += QStringLiteral(" - ") + Lang(Text::Plant_Shown).arg(names.size()).arg(m_rows.size());
    Set_Label_Text(L_Summary, text);
}

void TFPlant_Overview::Show_Buttons()
{
    const bool checking = Checking();
    const bool working = checking || Building();
    const bool listed = !Grid->Listed_Names().isEmpty();
    // The focus leaves a button before it is switched off.
    if (checking && (focusWidget() == Btn_Check || focusWidget() == Btn_Check_All))
        Btn_Cancel->setFocus(Qt::OtherFocusReason);
    else if (!checking && focusWidget() == Btn_Cancel)
        SG_Plant->setFocus(Qt::OtherFocusReason);
    Btn_Cancel->setEnabled(checking);
    Btn_Open->setEnabled(listed);
    Btn_Check->setEnabled(listed && !working);
    Btn_Check_All->setEnabled(listed && !working);
    Btn_Build_Images->setEnabled(listed && !working);
    Btn_Save_Report->setEnabled(listed && !checking && !Saving());
    Btn_Refresh->setEnabled(!working);
}

void TFPlant_Overview::Open_Chosen()
{
    const QString name = Grid->Current_Name();
    if (name.isEmpty()) {
        Platform().Error_Box(this, Lang(Text::Plant_No_Row));
        return;
    }
    emit Configuration_Opened(name);
    accept();
}

QStringList TFPlant_Overview::Paths_Of(const QStringList &names) const
{
    QStringList paths;
    for (const QString &name : names)
        paths << Join_Path(Path_Projects, name);
    return paths;
}

void TFPlant_Overview::Check_Chosen()
{
    const QStringList names = Grid->Chosen_Names();
    if (names.isEmpty())
        Platform().Error_Box(this, Lang(Text::Plant_No_Row));
    else
        Start_Checks(names);
}

void TFPlant_Overview::Check_All()
{
    Start_Checks(Grid->Listed_Names());
}

void TFPlant_Overview::Start_Checks(const QStringList &names)
{
    if (!m_checks.Start(Paths_Of(names), {Last_Check_Unit_ID, Last_Check_Registers, Last_Check_Echo}))
        return;
    // A version check started meanwhile would hold the window for its request.
    m_hold = std::make_unique<TTimer_Hold>();
    m_log_errors.clear();
    Set_Label_Text(L_Status, Lang(Text::Plant_Checking));
    Show_Progress();
    Show_Buttons();
}

void TFPlant_Overview::Show_Checked(const QString &project, const QString &logError)
{
    const QString name = Name_Of(project);
    if (!logError.isEmpty())
        m_log_errors << Lang(Text::Plant_Log_Failed).arg(name, logError);
    m_reread << name;
    Read_Next();
    Show_Progress();
}

void TFPlant_Overview::Show_Progress()
{
    const int total = m_checks.Total();
    PB_Progress->setVisible(total > 0);
    PB_Progress->setRange(0, qMax(1, total));
    PB_Progress->setValue(m_checks.Done());
    // The text is the window's own, not the bar's "%p%".
    PB_Progress->setFormat(Lang(Text::Plant_Progress).arg(m_checks.Done()).arg(total));
}

void TFPlant_Overview::Checks_Ended(bool cancelled)
{
    m_hold.reset();
    Set_Label_Text(L_Status, cancelled ? Lang(Text::Plant_Checks_Cancelled).arg(m_checks.Done()).arg(m_checks.Total())
                                       : Lang(Text::Plant_Checks_Done).arg(m_checks.Done()));
    Show_Progress();
    Show_Buttons();
    if (!m_log_errors.isEmpty() && isVisible())
        Platform().Warning_Box(this, m_log_errors.join(QLatin1Char('\n')));
}

void TFPlant_Overview::Cancel_Checks()
{
    m_checks.Cancel();
}

void TFPlant_Overview::Build_Images()
{
    QStringList names = Grid->Chosen_Names();
    if (names.isEmpty())
        names = Grid->Listed_Names();
    const QStringList projects = Paths_Of(names);
    const auto errors = std::make_shared<QStringList>();
    // Built and written side by side, as velmora-cli bank does.
    const bool started = m_builder.Start(
        [projects, errors] {
            std::vector<std::function<QString()>> jobs;
            for (const QString &project : projects) {
                jobs.push_back([project] {
                    TImage image;
                    QString error;
                    return Build_Bank_File(project, image, &error) ? QString() : error;
                });
            }
            for (const QString &error : Run_Writes(jobs))
                errors->append(error);
        },
        [this, names, errors] { Images_Built(names, *errors); });
    if (!started)
        return;
    Set_Label_Text(L_Status, Lang(Text::Plant_Building));
    Show_Buttons();
}

void TFPlant_Overview::Images_Built(const QStringList &names, const QStringList &errors)
{
    QStringList failed;
    for (int i = 0; i < names.size(); ++i) {
        if (!errors.at(i).isEmpty())
            failed << names.at(i) + QStringLiteral(": ") + errors.at(i);
    }
    Set_Label_Text(L_Status, Lang(Text::Plant_Images_Built).arg(names.size() - failed.size()));
    m_reread << names;
    Read_Next();
    Show_Buttons();
    if (!failed.isEmpty())
        Platform().Error_Box(this, Lang(Text::Plant_Images_Failed) + QLatin1Char('\n') + failed.join(QLatin1Char('\n')));
}

void TFPlant_Overview::Save_Report()
{
    const QString suggested =
        Join_Path(Path_Exe, Lang(Text::Plant_Report_File).arg(QDate::currentDate().toString(Qt::ISODate))
                                + QStringLiteral(".pdf"));
    const QString path = Platform().Save_File_Name(this, Lang(Text::Plant_Report_Dialog), suggested,
                                                   Lang(Text::Plant_Report_Filter));
    if (path.isEmpty())
        return;
    // The rows listed, in the table's order.
    QHash<QString, const TPlant_Row *> byName;
    for (const TPlant_Row &row : std::as_const(m_rows))
        byName.insert(row.Name, &row);
    QList<TPlant_Row> rows;
    for (const QString &name : Grid->Listed_Names()) {
        if (const TPlant_Row *row = byName.value(name))
            rows << *row;
    }
    const TPlant_Report_Info info{QFileInfo(Path_Exe).fileName(), QDateTime::currentDateTime(), SW_Code, SW_Version};
    const TLang_Table texts = Lang_Strings;
    const auto error = std::make_shared<QString>();
    const auto written = std::make_shared<bool>(false);
    m_writer.Start(
        [path, info, rows, texts, error, written] {
            *written = Write_Plant_Report(path, TPlant_Report_Format::Pdf, info, rows, texts, error.get());
        },
        [this, path, error, written] {
            Show_Buttons();
            if (*written)
                Set_Label_Text(L_Status, Lang(Text::Plant_Report_Saved).arg(QDir::toNativeSeparators(path)));
            else
                Platform().Error_Box(this, *error);
        });
    Show_Buttons();
}

void TFPlant_Overview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses a focused button, and opens the row from anywhere else.
        if (auto *button = qobject_cast<TImageButton *>(focusWidget()))
            button->click();
        else
            Open_Chosen();
        return;
    case Qt::Key_F5:
        if (Btn_Refresh->isEnabled())
            Refresh();
        return;
    default:
        // Escape closes, as the close box does.
        QDialog::keyPressEvent(event);
    }
}

// The size and the widths drawn by hand, for the next showing and the
// settings file.
void TFPlant_Overview::Keep_View()
{
    Plant_Width = width();
    Plant_Height = height();
    Plant_Column_Widths = m_user_widths ? Grid->Column_Widths() : QList<int>();
}

void TFPlant_Overview::done(int result)
{
    // The checks under way end first, each recorded whole.
    m_checks.Stop();
    Keep_View();
    QDialog::done(result);
}
