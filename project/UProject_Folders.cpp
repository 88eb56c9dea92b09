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
    const QDir folder(projects);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // A file of that name blocks the folder as well, but it is no configuration.
        return entry.isDir() ? TNew_Project_Result::Already_Exists : TNew_Project_Result::Not_Valid;
    }
    const QString path = Join_Path(projects, name);
    if (!Is_Portable_Project_Name(name) || !QDir().mkdir(path))
        return TNew_Project_Result::Not_Valid;
    // Without its bin folder the configuration could never take an image:
    // take the new folder back rather than open half a configuration.
    if (!QDir().mkpath(Join_Path(path, QStringLiteral("bin")))) {
        QDir().rmdir(path);
        return TNew_Project_Result::Not_Valid;
    }
    return TNew_Project_Result::Created;
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
    const QString wanted = Ascii_Upper(name);
    for (int i = 0; i < names.size(); ++i) {
        if (Ascii_Upper(names.at(i)) == wanted)
            return i;
    }
    return -1;
}
