// import: one configuration per table row, checked by the rules of Create
// New Configuration and Set Communication in their order and written by
// their writers. A failing row makes nothing; the other rows go on.
#include "cli/UCli_Columns.h"
#include "cli/UCli_Commands.h"
#include "console/UConsole_Output.h"
#include "common/UParallel_Writes.h"
#include "common/UCsv_Table.h"

#include "common/UComon.h"
#include "params/UParGen_Check.h"
#include "project/UProject_Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include "lang/UText.h"

namespace {

// A row that passed every check, waiting to be written.
struct TPlanned
{
    int Line;
    QString Name;
    QString Folder;   // as the disk spells it when it exists already
    bool Replacing;
    TParGen_Values Values;
};

class TImport
{
public:
    TImport(const TCli_Options &options, const TColumns &columns)
        : m_options(options), m_columns(columns), m_names(options.Paths.Projects)
    {
    }

    // The first failing rule's message, or "" with the row planned.
    QString Check_Row(const TCsv_Row &row)
    {
        if (row.Fields.size() != m_columns.Elements.size())
            return QStringLiteral("the row has %1 fields, the header has %2")
                .arg(row.Fields.size())
                .arg(m_columns.Elements.size());
        const QString name = row.Fields.at(m_columns.Name);
        const TLang_Table &texts = m_options.Texts;
        if (name.isEmpty())
            return texts.value(Text::Name_Empty);
        const QString key = name.toCaseFolded();
        if (m_lines.contains(key))
            return QStringLiteral("the same name as on line %1").arg(m_lines.value(key));
        m_lines.insert(key, row.Line);

        TPlanned planned{row.Line, name, name, false, ParGen_Defaults()};
        switch (m_names.Check(name, &planned.Folder)) {
        case TNew_Project_Result::Empty_Name:
            return texts.value(Text::Name_Empty);
        case TNew_Project_Result::Already_Exists:
            if (!m_options.Replace)
                return texts.value(Text::Name_Exists);
            planned.Replacing = true;
            break;
        case TNew_Project_Result::Not_Valid:
            return texts.value(Text::Name_Not_Valid);
        case TNew_Project_Result::Created:
            break;
        }
        for (int i = 0; i < row.Fields.size(); ++i) {
            const int id = m_columns.Elements.at(i);
            QString error;
            if (id >= 0 && !Read_Cell(id, row.Fields.at(i), texts, planned.Values[id], error))
                return QStringLiteral("column %1: %2").arg(ParGen_Element(id).Name, error);
        }
        const int message = ParGen_Check(planned.Values);
        if (message != 0)
            return texts.value(message);
        // Save_ParGen never overwrites a file that does not load, nor writes a
        // value the file cannot hold: say so now, so that a dry run promises
        // only what the real one does.
        const QString file = Par_Gen_File(m_options.Paths.Projects, planned.Folder);
        TXMLDocument doc;
        QString error;
        TParGen_Values old;
        if (planned.Replacing && !Load_ParGen(doc, file, old, &error))
            return error;
        Compile_XML_Parameter(doc, planned.Values);
        if (!doc.Check_Storable(file, &error))
            return error;
        m_planned.append(planned);
        return QString();
    }

    const QList<TPlanned> &Planned() const { return m_planned; }

    static QString Par_Gen_File(const QString &projects, const QString &folder)
    {
        return ParGen_File_Path(Join_Path(projects, folder));
    }

private:
    const TCli_Options &m_options;
    const TColumns &m_columns;
    const TProject_Names m_names;
    QHash<QString, int> m_lines;   // first line of each case-folded name
    QList<TPlanned> m_planned;
};

// Writes one planned row into the folder projects as Create New Configuration
// and Set Communication would; a folder made here is taken back when its
// ParGen.xml cannot be written.
QString Write_Row(const QString &projects, const TPlanned &row)
{
    QString error;
    if (!row.Replacing && !Make_Project_Folder(projects, row.Folder, &error))
        return error;
    TXMLDocument doc;
    if (Save_ParGen(doc, TImport::Par_Gen_File(projects, row.Folder), row.Values, &error))
        return QString();
    if (!row.Replacing) {
        const QString folder = Join_Path(projects, row.Folder);
        QDir(folder).rmdir(QStringLiteral("bin"));
        QDir().rmdir(folder);
    }
    return error;
}

} // namespace

int Run_Import(const TCli_Options &options)
{
    const QString table = options.Arguments.first();
    QFile file(table);
    if (!file.open(QIODevice::ReadOnly)) {
        Print_Problem(QStringLiteral("Cannot read \"%1\": %2").arg(table, file.errorString()));
        return Exit_Usage;
    }
    TCsv_Table csv;
    int errorLine = 0;
    QString error;
    if (!Read_Csv_Table(file.readAll(), csv, errorLine, error)) {
        Print_Problem(QStringLiteral("%1:%2: %3").arg(table, QString::number(errorLine), error));
        return Exit_Usage;
    }
    if (csv.Rows.isEmpty()) {
        Print_Problem(QStringLiteral("%1: no header row").arg(table));
        return Exit_Usage;
    }
    TColumns columns;
    if (!Read_Header(table, csv.Rows.first(), columns))
        return Exit_Usage;
    if (!options.Dry_Run)
        Make_Program_Folders(options.Paths);

    // Every row is checked before any is written, so the answers come in row order.
    TImport import(options, columns);
    QMap<int, QString> failures;
    for (int i = 1; i < csv.Rows.size(); ++i) {
        const TCsv_Row &row = csv.Rows.at(i);
        const QString message = import.Check_Row(row);
        if (!message.isEmpty()) {
            const QString name = row.Fields.value(columns.Name);
            failures.insert(row.Line, name.isEmpty() ? message : name + QStringLiteral(": ") + message);
        }
    }
    const QList<TPlanned> &planned = import.Planned();
    // Each row writes only its own folder: rows whose names differ only in
    // letter case were refused.
    std::vector<std::function<QString()>> jobs;
    if (!options.Dry_Run) {
        for (const TPlanned &row : planned)
            jobs.push_back([projects = options.Paths.Projects, row] { return Write_Row(projects, row); });
    }
    const std::vector<QString> answers =
        options.Dry_Run ? std::vector<QString>(static_cast<size_t>(planned.size())) : Run_Writes(jobs);
    QMap<int, QString> done;
    for (qsizetype i = 0; i < planned.size(); ++i) {
        const TPlanned &row = planned.at(i);
        const QString &answer = answers.at(static_cast<size_t>(i));
        if (!answer.isEmpty()) {
            failures.insert(row.Line, row.Name + QStringLiteral(": ") + answer);
            continue;
        }
        const QString what = row.Replacing ? QStringLiteral("replaced") : QStringLiteral("created");
        done.insert(row.Line, row.Name + QStringLiteral(": ")
                                  + (options.Dry_Run ? QStringLiteral("would be ") + what : what));
    }
    for (auto it = done.cbegin(); it != done.cend(); ++it)
        Print_Result(QStringLiteral("%1:%2: %3").arg(table, QString::number(it.key()), it.value()));
    for (auto it = failures.cbegin(); it != failures.cend(); ++it)
        Print_Problem(QStringLiteral("%1:%2: %3").arg(table, QString::number(it.key()), it.value()));
    return failures.isEmpty() ? Exit_Done : Exit_Failed;
}
