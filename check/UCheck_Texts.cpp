#include "check/UCheck_Texts.h"

#include "lang/ULang.h"
#include "lang/UText.h"

namespace {

QString Hex2(int code)
{
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString Role_Text(TRegister_Role role)
{
    switch (role) {
    case TRegister_Role::Read_Data:
        return Lang(Text::Role_Read_Data);
    case TRegister_Role::Status_Word:
        return Lang(Text::Role_Status_Word);
    case TRegister_Role::Byte_Count:
        return Lang(Text::Role_Byte_Count);
    case TRegister_Role::Write_Data:
        return Lang(Text::Role_Write_Data);
    case TRegister_Role::Control_Word:
        break;
    }
    return Lang(Text::Role_Control_Word);
}

QString Step_Text(const TCheck_Step &step)
{
    switch (step.Kind) {
    case TStep_Kind::Echo:
        return Lang(Text::Step_Echo);
    case TStep_Kind::Connect:
        return Lang(Text::Step_Connect);
    case TStep_Kind::Read:
    case TStep_Kind::Verdict:
        break;
    }
    return Role_Text(step.Block.Role);
}

// "Exception 02: illegal data address", by the names Modbus gives the codes
// a register read can meet.
QString Exception_Text(int code)
{
    int entry = -1;
    switch (code) {
    case 1: entry = Text::Exception_01; break;
    case 2: entry = Text::Exception_02; break;
    case 3: entry = Text::Exception_03; break;
    case 4: entry = Text::Exception_04; break;
    case 6: entry = Text::Exception_06; break;
    case 10: entry = Text::Exception_0A; break;
    case 11: entry = Text::Exception_0B; break;
    default: return Lang(Text::Exception_Unnamed).arg(Hex2(code));
    }
    return Lang(Text::Exception_Named).arg(Hex2(code), Lang(entry));
}

QString State_Text(const TCheck_Step &step)
{
    switch (step.State) {
    case TStep_State::Pending:
        return Lang(Text::State_Waiting);
    case TStep_State::Running:
        return Lang(Text::State_Running);
    case TStep_State::Passed:
        return Lang(step.Kind == TStep_Kind::Connect ? Text::State_Connected : Text::State_Answered);
    case TStep_State::Failed:
        return Lang(step.Refused() ? Text::State_Refused : Text::State_Failed);
    case TStep_State::Not_Run:
        return Lang(Text::State_Not_Asked);
    case TStep_State::Cancelled:
        break;
    }
    return Lang(Text::State_Cancelled);
}

QString Verdict_Text(const TCheck_Result &result)
{
    QString text;
    switch (result.Verdict) {
    case TCheck_Verdict::Answers_With_Map:
        text = Lang(Text::Verdict_Answers);
        break;
    case TCheck_Verdict::Registers_Refused:
        text = Lang(Text::Verdict_Refused).arg(result.Refused_Registers);
        break;
    case TCheck_Verdict::Faulty_Answers:
        text = Lang(Text::Verdict_Faulty);
        break;
    case TCheck_Verdict::Port_Closed:
        text = Lang(Text::Verdict_Port_Closed);
        break;
    case TCheck_Verdict::No_Answer:
        text = Lang(Text::Verdict_No_Answer);
        break;
    case TCheck_Verdict::Cancelled:
        text = Lang(Text::Verdict_Cancelled);
        break;
    case TCheck_Verdict::Not_Checked:
        text = Lang(Text::Verdict_Not_Checked);
        break;
    }
    // A configured register the device does not have: most often a device
    // still running another configuration.
    for (const TCheck_Step &step : result.Steps) {
        if (step.Exception == 2)
            return text + QStringLiteral(" - ") + Lang(Text::Exception_02_Hint);
    }
    return text;
}

QStringList State_Texts()
{
    QStringList texts;
    for (int entry = Text::State_Waiting; entry <= Text::State_Cancelled; ++entry)
        texts << Lang(entry);
    return texts;
}

QStringList Value_Texts()
{
    QStringList texts = State_Texts();
    for (const int code : {1, 2, 3, 4, 6, 10, 11, 0xFF})
        texts << Exception_Text(code);
    return texts;
}

QString Cause_Text(const TCheck_Step &step, const TCheck_Request &request)
{
    const QString limit = QString::number(request.Time_Limit_Ms);
    // The system's words, or the engine's detail, after the engine's own "xxx: ".
    const QString detail = step.Text.section(QStringLiteral(": "), 1);
    switch (step.Cause) {
    case TStep_Cause::None:
        break;
    case TStep_Cause::Echo_Silent:
        return Lang(Text::Cause_Echo_Silent).arg(Echo_Limit_Ms / 1000);
    case TStep_Cause::Refused:
        return Lang(Text::Cause_Refused).arg(QString::number(request.Map.Port), request.Map.Address);
    case TStep_Cause::Timed_Out:
        return Lang(Text::Cause_Timed_Out).arg(limit);
    case TStep_Cause::Unreachable:
        return Lang(Text::Cause_Unreachable).arg(request.Map.Address);
    case TStep_Cause::System_Error:
        return Lang(Text::Cause_System_Error).arg(detail);
    case TStep_Cause::No_Answer:
        return Lang(Text::Cause_No_Answer).arg(limit);
    case TStep_Cause::Cut_Short:
        return Lang(Text::Cause_Cut_Short).arg(limit);
    case TStep_Cause::Closed:
        return Lang(Text::Cause_Closed);
    case TStep_Cause::Closed_Mid_Reply:
        return Lang(Text::Cause_Closed_Mid_Reply);
    case TStep_Cause::Not_Modbus:
        return Lang(Text::Cause_Not_Modbus);
    case TStep_Cause::Other_Unit:
        return Lang(Text::Cause_Other_Unit).arg(request.Unit);
    case TStep_Cause::Wrong_Answer:
        return Lang(Text::Cause_Wrong_Answer);
    case TStep_Cause::Exception:
        return Lang(Text::Cause_Exception).arg(Exception_Text(step.Exception));
    case TStep_Cause::Not_Checked:
        return step.Kind == TStep_Kind::Verdict ? detail : Lang(Text::State_Not_Asked);
    case TStep_Cause::Echo_Off:
        return Lang(Text::State_Not_Asked);
    case TStep_Cause::No_Connection:
        return Lang(Text::Cause_No_Connection);
    case TStep_Cause::After_Fault:
        return Lang(Text::Cause_After_Fault);
    case TStep_Cause::Cancelled:
        return Lang(Text::State_Cancelled);
    }
    return QString();
}

int Cause_Step(const TCheck_Result &result)
{
    const int verdict = int(result.Steps.size()) - 1;
    for (int index = Connect_Step; index < verdict; ++index) {
        if (result.Steps.at(index).State == TStep_State::Failed)
            return index;
    }
    if (result.Steps.at(verdict).Cause == TStep_Cause::Not_Checked)
        return verdict;
    if (result.Steps.at(Echo_Step).State == TStep_State::Failed)
        return Echo_Step;
    return -1;
}

QString Unread_Text(const TCheck_Step &step)
{
    switch (step.State) {
    case TStep_State::Pending:
        return QString();
    case TStep_State::Not_Run:
        if (step.Cause == TStep_Cause::No_Connection || step.Cause == TStep_Cause::After_Fault)
            return Lang(Text::Check_Cause).arg(State_Text(step), Cause_Text(step, TCheck_Request()));
        break;
    case TStep_State::Running:
    case TStep_State::Passed:
    case TStep_State::Failed:
    case TStep_State::Cancelled:
        break;
    }
    return State_Text(step);
}

QStringList Unread_Texts()
{
    TCheck_Step step;
    step.State = TStep_State::Not_Run;
    QStringList texts = State_Texts();
    for (const TStep_Cause cause : {TStep_Cause::No_Connection, TStep_Cause::After_Fault}) {
        step.Cause = cause;
        texts << Unread_Text(step);
    }
    return texts;
}

QString Manual_Number(int function, int address)
{
    const int base = function == Function_Holding_Registers ? 4 : 3;
    return address < 9999 ? QString::number(base * 10000 + 1 + address)
                          : QString::number(base * 100000 + 1 + address);
}

QString Register_Ascii(uint16_t value, int bytes)
{
    QString text;
    for (const int byte : {value >> 8, value & 0xFF}) {
        if (text.size() >= bytes)
            break;
        text += byte >= 0x20 && byte < 0x7F ? QChar(byte) : QChar(0x00B7);
    }
    return text;
}

QString Register_Bits(uint16_t value)
{
    const QString bits = QStringLiteral("%1").arg(value, 16, 2, QLatin1Char('0'));
    return bits.mid(0, 4) + QLatin1Char(' ') + bits.mid(4, 4) + QLatin1Char(' ') + bits.mid(8, 4)
           + QLatin1Char(' ') + bits.mid(12, 4);
}
