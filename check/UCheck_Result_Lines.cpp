#include "check/UCheck_Result_Lines.h"

#include "check/UCheck_Tables.h"
#include "check/UCheck_Texts.h"
#include "lang/ULang.h"
#include "lang/UText.h"
#include "ui/UWidgets.h"

#include <QDir>
#include <QLabel>

namespace {

const int Line_Height = 17;
const int Line_Gap = 2;

} // namespace

TCheck_Result_Lines::TCheck_Result_Lines(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("P_Result_Lines"));
    L_Verdict = Create_Label(this, QStringLiteral("L_Verdict"), 0, 0);
    QFont bold = L_Verdict->font();
    bold.setBold(true);
    L_Verdict->setFont(bold);
    L_Cause = Create_Label(this, QStringLiteral("L_Cause"), 0, 0);
    L_Log = Create_Label(this, QStringLiteral("L_Log"), 0, 0);
}

void TCheck_Result_Lines::resizeEvent(QResizeEvent *event)
{
    int top = Line_Gap;
    for (QLabel *line : {L_Verdict, L_Cause, L_Log}) {
        line->setGeometry(0, top, width(), Line_Height);
        top += Line_Height + Line_Gap;
    }
    QWidget::resizeEvent(event);
}

void TCheck_Result_Lines::Show_Verdict(bool running, const std::optional<TCheck_Result> &result,
                                       const std::optional<TCheck_Result> &round)
{
    if (running) {
        Set_Text_Colour(L_Verdict, Check_Quiet_Colour);
        Set_Fitted_Text(L_Verdict, round ? Lang(Text::Check_Watching).arg(round->Watch_Rounds)
                                         : Lang(Text::Check_Running));
    } else if (result) {
        Set_Text_Colour(L_Verdict, Verdict_Colour(result->Verdict));
        const QString ms = QString::number(result->Total_Ms);
        Set_Fitted_Text(L_Verdict, result->Watch_Rounds > 0
                                       ? Lang(Text::Check_Watch_Verdict)
                                             .arg(QString::number(result->Watch_Rounds), Verdict_Text(*result), ms)
                                       : Lang(Text::Check_Verdict).arg(Verdict_Text(*result), ms));
    } else {
        Set_Text_Colour(L_Verdict, Check_Quiet_Colour);
        Set_Fitted_Text(L_Verdict, Lang(Text::Check_Ready));
    }
    Show_Cause(result ? result : round);
}

// The cause of the first step that failed (in the last round of a watch), in
// this language; the engine's words are the hint.
void TCheck_Result_Lines::Show_Cause(const std::optional<TCheck_Result> &result)
{
    const int index = result ? Cause_Step(*result) : -1;
    if (index < 0) {
        Set_Fitted_Text(L_Cause, QString());
        return;
    }
    const TCheck_Step &step = result->Steps.at(index);
    const QString cause = Lang(Text::Check_Cause).arg(Step_Text(step), Cause_Text(step, result->Request));
    Set_Text_Colour(L_Cause, State_Colour(step));
    Set_Fitted_Text(L_Cause, cause);
    Set_Hint(L_Cause, L_Cause->text() == cause ? step.Text : cause + QLatin1Char('\n') + step.Text);
}

void TCheck_Result_Lines::Show_Log_Note(const QString &logPath, const QString &logError)
{
    if (logError.isEmpty()) {
        Set_Text_Colour(L_Log, Check_Quiet_Colour);
        Set_Fitted_Text(L_Log, Lang(Text::Check_Log_Note).arg(QDir::toNativeSeparators(logPath)), Qt::ElideMiddle);
    } else {
        Set_Text_Colour(L_Log, Check_Failed_Colour);
        Set_Fitted_Text(L_Log, Lang(Text::Check_Log_Failed).arg(logError), Qt::ElideMiddle);
    }
}
