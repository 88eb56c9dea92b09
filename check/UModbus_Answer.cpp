#include "check/UModbus_Answer.h"

#include <iterator>

namespace {

// A frame's header and its function code.
constexpr int Header_Bytes = 8;

QString Hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

TAnswer_Finding Out_Of_Step(const QString &text, TStep_Cause cause = TStep_Cause::Wrong_Answer)
{
    return {TAnswer_Kind::Out_Of_Step, text, cause};
}

} // namespace

TAnswer_Finding Answer_Finding(const TModbus_Reply &reply, const TRegister_Block &block, int unit)
{
    const int asked = block.Function;
    // Another protocol's server (a web server, say) shows first in the header.
    if (reply.Protocol != 0)
        return Out_Of_Step(QStringLiteral("the port answers, but not with Modbus TCP (protocol id %1, not 0)")
                               .arg(reply.Protocol),
                           TStep_Cause::Not_Modbus);
    if (reply.Transaction != reply.Request_Transaction)
        return Out_Of_Step(QStringLiteral("an answer to another request (transaction id %1, not %2): an "
                                          "answer sent twice or unasked, another master's answer, or a "
                                          "gateway that mixes answers up")
                               .arg(reply.Transaction)
                               .arg(reply.Request_Transaction));
    if ((reply.Function & 0x7F) != asked)
        return Out_Of_Step(QStringLiteral("an answer to another function (%1, not %2)")
                               .arg(Hex2(reply.Function & 0x7F), Hex2(asked)));
    const bool exception = (reply.Function & 0x80) != 0;
    // By the function's rule: the exception code, or the byte count and that many bytes.
    const int whole = Header_Bytes + 1 + (exception ? 0 : reply.Byte_Count);
    if (reply.Length != reply.Frame_Bytes - 6 || reply.Frame_Bytes != whole)
        return Out_Of_Step(QStringLiteral("a broken frame: its header counts %1 bytes after it, its "
                                          "function makes %2, %3 came")
                               .arg(reply.Length)
                               .arg(whole - 6)
                               .arg(reply.Frame_Bytes - 6));
    if (!exception && reply.Byte_Count != 2 * block.Count)
        return Out_Of_Step(QStringLiteral("a frame too %1: %2 bytes of registers where %3 registers were asked")
                               .arg(reply.Byte_Count < 2 * block.Count ? QStringLiteral("short")
                                                                       : QStringLiteral("long"))
                               .arg(reply.Byte_Count)
                               .arg(block.Count));
    if (reply.Unit != unit)
        return {TAnswer_Kind::Wrong,
                QStringLiteral("an answer from unit %1, not from unit %2").arg(reply.Unit).arg(unit),
                TStep_Cause::Other_Unit};
    if (exception) {
        QString text = QStringLiteral("refused: exception ") + Exception_Name(reply.Exception);
        if (reply.Exception == 2)
            text += QStringLiteral(" (the device may be running another configuration)");
        return {TAnswer_Kind::Refused, text, TStep_Cause::Exception};
    }
    return {TAnswer_Kind::Answered, QStringLiteral("answered")};
}

QString Exception_Name(int code)
{
    static const char *const names[] = {
        nullptr,
        "illegal function",
        "illegal data address",
        "illegal data value",
        "slave device failure",
        "acknowledge",
        "slave device busy",
        "negative acknowledge",
        "memory parity error",
        nullptr,
        "gateway path unavailable",
        "gateway target device failed to respond",
    };
    const QString number = Hex2(code);
    if (code > 0 && code < int(std::size(names)) && names[code])
        return number + QLatin1Char(' ') + QLatin1String(names[code]);
    return number + QStringLiteral(" unknown exception");
}

QString Function_Name(int function)
{
    switch (function) {
    case Function_Holding_Registers:
        return QStringLiteral("03 (holding registers)");
    case Function_Input_Registers:
        return QStringLiteral("04 (input registers)");
    default:
        return Hex2(function);
    }
}
