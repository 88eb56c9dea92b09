#include "cli/UCli_Probe_Options.h"

#include "platform/UEcho.h"

namespace {

const TRegister_Role Roles[] = {TRegister_Role::Read_Data, TRegister_Role::Status_Word,
                                TRegister_Role::Byte_Count, TRegister_Role::Write_Data,
                                TRegister_Role::Control_Word};

// "read-data" for the role "read data": one word on a command line.
QString Option_Name(TRegister_Role role)
{
    return Role_Name(role).replace(QLatin1Char(' '), QLatin1Char('-'));
}

// A decimal number in min..max from the option's value, or an error.
bool Number_Option(const QCommandLineParser &parser, const QString &name, int min, int max,
                   const QString &what, int &value, QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int number = parser.value(name).toInt(&ok);
    if (ok && number >= min && number <= max) {
        value = number;
        return true;
    }
    error = QStringLiteral("--%1 takes %2 from %3 to %4, not \"%5\"")
                .arg(name, what)
                .arg(min)
                .arg(max)
                .arg(parser.value(name));
    return false;
}

bool Function_Option(const QString &text, QPair<TRegister_Role, int> &function, QString &error)
{
    const QString role = text.section(QLatin1Char('='), 0, 0).trimmed().toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    const QString code = text.section(QLatin1Char('='), 1).trimmed();
    QStringList names;
    for (const TRegister_Role known : Roles) {
        names << Option_Name(known);
        if (role == names.last() && (code == QLatin1String("3") || code == QLatin1String("4"))) {
            function = {known, code.toInt()};
            return true;
        }
    }
    error = QStringLiteral("--function takes ROLE=3 or ROLE=4 with ROLE one of %1, not \"%2\"")
                .arg(names.join(QStringLiteral(", ")), text);
    return false;
}

} // namespace

QList<QCommandLineOption> Probe_Options()
{
    return {QCommandLineOption(QStringLiteral("unit"), QString(), QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("timeout"), QString(), QStringLiteral("MS")),
            QCommandLineOption(QStringLiteral("count"), QString(), QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("function"), QString(), QStringLiteral("ROLE=3|4")),
            QCommandLineOption(QStringLiteral("address"), QString(), QStringLiteral("A")),
            QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("no-echo"))};
}

bool Read_Probe_Options(const QCommandLineParser &parser, bool probe, TProbe_Options &options,
                        QString &error)
{
    if (!probe) {
        for (const QCommandLineOption &option : Probe_Options()) {
            if (parser.isSet(option.names().first())) {
                error = QStringLiteral("--%1 goes with probe only").arg(option.names().first());
                return false;
            }
        }
        return true;
    }
    // A value given twice would leave one of them unused without a word.
    for (const QCommandLineOption &option : Probe_Options()) {
        const QString name = option.names().first();
        if (!option.valueName().isEmpty() && name != QLatin1String("function") && parser.values(name).size() > 1) {
            error = QStringLiteral("--%1 is given more than once").arg(name);
            return false;
        }
    }
    if (!Number_Option(parser, QStringLiteral("unit"), 0, Max_Unit, QStringLiteral("a unit"),
                       options.Unit, error)
        || !Number_Option(parser, QStringLiteral("timeout"), Min_Time_Limit_Ms, Max_Time_Limit_Ms,
                          QStringLiteral("milliseconds"), options.Time_Limit_Ms, error)
        || !Number_Option(parser, QStringLiteral("count"), 1, Max_Block_Count,
                          QStringLiteral("a count of registers"), options.Count, error)
        || !Number_Option(parser, QStringLiteral("port"), 1, 65535, QStringLiteral("a port"), options.Port,
                          error))
        return false;
    for (const QString &text : parser.values(QStringLiteral("function"))) {
        QPair<TRegister_Role, int> function;
        if (!Function_Option(text, function, error))
            return false;
        for (const QPair<TRegister_Role, int> &given : std::as_const(options.Functions)) {
            if (given.first == function.first) {
                error = QStringLiteral("--function %1= is given more than once").arg(Option_Name(function.first));
                return false;
            }
        }
        options.Functions.append(function);
    }
    uint32_t address = 0;
    options.Address = parser.value(QStringLiteral("address"));
    if (parser.isSet(QStringLiteral("address")) && !Parse_Dotted_Quad(options.Address, address)) {
        error = QStringLiteral("--address takes a numeric IPv4 address such as 127.0.0.1, not \"%1\"")
                    .arg(options.Address);
        return false;
    }
    options.Echo = !parser.isSet(QStringLiteral("no-echo"));
    return true;
}

void Apply_Probe_Options(const TProbe_Options &options, TCheck_Request &request)
{
    request.Unit = options.Unit;
    request.Time_Limit_Ms = options.Time_Limit_Ms;
    request.Echo = options.Echo;
    if (!options.Address.isEmpty())
        request.Map.Address = options.Address;
    if (options.Port != 0)
        request.Map.Port = uint16_t(options.Port);
    for (const QPair<TRegister_Role, int> &function : options.Functions)
        Set_Function(request.Map, function.first, function.second);
}
