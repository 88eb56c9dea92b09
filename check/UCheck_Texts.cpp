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
