// The console program run as a child process, and ParGen.xml written by hand (TestCli.h).
#include "TestCli.h"

#include "TestData.h"

#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

static QStringList Lines(const QByteArray &bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Cli_Program()
{
    return qEnvironmentVariable("VELMORA_DIST_DIR") + QStringLiteral("/velmora-cli");
}

TCli_Run Run_Cli(const QString &folder, const QStringList &arguments, const QString &output)
{
    QProcess process;
    bool finished = false;
    QObject::connect(&process, &QProcess::finished, [&finished] { finished = true; });
    process.setWorkingDirectory(folder);
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    process.start(Cli_Program(),
                  QStringList{QStringLiteral("--folder"), folder} + arguments);
    // Servers of the test's own in this thread go on serving while it runs.
    QElapsedTimer clock;
    clock.start();
    while (!finished && process.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
        process.waitForFinished(10);
        QCoreApplication::processEvents();
    }
    TCli_Run run;
    if (finished && process.exitStatus() == QProcess::NormalExit)
        run.Status = process.exitCode();
    run.Out = Lines(process.readAllStandardOutput());
    run.Err = Lines(process.readAllStandardError());
    return run;
}

QByteArray Dialog_ParGen(const QStringList &changes)
{
    TParGen_Values values = ParGen_Defaults();
    for (const QString &change : changes) {
        const int id = Id_Of(change.section(QLatin1Char('='), 0, 0));
        values.at(static_cast<size_t>(id)) = Decode_ParGen_Value(id, change.section(QLatin1Char('='), 1));
    }
    TXMLDocument doc;
    Compile_XML_Parameter(doc, values);
    return doc.To_Bytes();
}

void Make_Configuration(const TTestFolder &folder, const QString &name, const QStringList &changes)
{
    const QString project = QStringLiteral("PROJECTS/") + name;
    QDir().mkpath(folder.Path(project + QStringLiteral("/bin")));
    if (changes != QStringList{QStringLiteral("-")})
        folder.Write_File(project + QStringLiteral("/ParGen.xml"), Dialog_ParGen(changes));
}

QStringList With_Folder(const QString &folder, QStringList texts)
{
    // The program names files with the system's separators, the whole path.
    static const QRegularExpression path(QStringLiteral("\\{folder\\}([^\":]*)"));
    for (QString &text : texts) {
        const QRegularExpressionMatch found = path.match(text);
        if (found.hasMatch())
            text.replace(found.capturedStart(), found.capturedLength(),
                         QDir::toNativeSeparators(folder + found.captured(1)));
    }
    return texts;
}
