#include "project/UProject_Folders.h"

#include "common/UComon.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

bool Is_Reserved_Device_Name(const QString &name)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return reserved.match(name).hasMatch();
}

bool Is_System_Entry(const QFileInfo &info)
{
#ifdef Q_OS_WIN
    const DWORD attributes =
        GetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(info.absoluteFilePath()).utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM);
#else
    Q_UNUSED(info);
    return false;
#endif
}

// A leading dot hides an entry on POSIX systems only; on Windows it is part of
// an ordinary name and only the hidden attribute hides.
bool Is_Hidden_By_Name(const QString &name)
{
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    return false;
#else
    return name.startsWith(QLatin1Char('.'));
#endif
}

QString Ascii_Upper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return result;
}

} // namespace

bool Is_Portable_Project_Name(const QString &name)
{
    if (!Is_Plain_Folder_Name(name) || Is_Hidden_By_Name(name)
        || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    static const QString forbidden = QStringLiteral("<>:\"|?*");
    for (QChar c : name) {
        if (c.unicode() < 32 || forbidden.contains(c))
            return false;
    }
    return !Is_Reserved_Device_Name(name);
}

TNew_Project_Result Create_Project_Folder(const QString &projects, const QString &name)
{
    if (name.isEmpty())
        return TNew_Project_Result::Empty_Name;
    const TNew_Project_Result result = TProject_Names(projects).Check(name);
    if (result != TNew_Project_Result::Created)
        return result;
    return Make_Project_Folder(projects, name) ? TNew_Project_Result::Created
                                               : TNew_Project_Result::Not_Valid;
}

TProject_Names::TProject_Names(const QString &projects)
{
    const QFileInfoList entries = QDir(projects).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString key = entry.fileName().toCaseFolded();
        if (!m_entries.contains(key))
            m_entries.insert(key, TEntry{entry.fileName(), entry.isDir()});
    }
}

TNew_Project_Result TProject_Names::Check(const QString &name, QString *existing) const
{
    if (name.isEmpty())
        return TNew_Project_Result::Empty_Name;
    const auto found = m_entries.constFind(name.toCaseFolded());
    if (found != m_entries.constEnd()) {
        // A file of that name blocks the folder as well, but it is no configuration.
        if (!found->Is_Folder)
            return TNew_Project_Result::Not_Valid;
        if (existing)
            *existing = found->Name;
        return TNew_Project_Result::Already_Exists;
    }
    return Is_Portable_Project_Name(name) ? TNew_Project_Result::Created
                                          : TNew_Project_Result::Not_Valid;
}

bool Make_Project_Folder(const QString &projects, const QString &name, QString *error)
{
    const QString path = Join_Path(projects, name);
    const QString bin = Join_Path(path, QStringLiteral("bin"));
    // The system's reason is taken at once, before another call replaces it.
    const auto fail = [error](const QString &folder) {
        if (error)
            *error = QStringLiteral("Cannot create the folder \"%1\": %2")
                         .arg(QDir::toNativeSeparators(folder), qt_error_string());
        return false;
    };
    if (!QDir().mkdir(path))
        return fail(path);
    // Without its bin folder the configuration could never take an image:
    // take the new folder back rather than leave half a configuration.
    if (!QDir().mkdir(bin)) {
        fail(bin);
        QDir().rmdir(path);
        return false;
    }
    return true;
}

QStringList List_Configurations(const QString &projects)
{
    QStringList names;
    const QFileInfoList entries = QDir(projects).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (!Is_Hidden_By_Name(entry.fileName()) && !Is_System_Entry(entry))
            names.append(entry.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

int Search_Configuration(const QStringList &names, const QString &name)
{
    // Where a disk holds names that differ only in letter case (copied in
    // from a system that keeps both), the one spelled as asked for is meant.
    const int exact = names.indexOf(name);
    if (exact >= 0)
        return exact;
    const QString wanted = Ascii_Upper(name);
    for (int i = 0; i < names.size(); ++i) {
        if (Ascii_Upper(names.at(i)) == wanted)
            return i;
    }
    return -1;
}
