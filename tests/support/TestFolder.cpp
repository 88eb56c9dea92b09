// A program folder in a temporary directory, and the start-up steps before any window (TestFolder.h).
#include "TestFolder.h"

#include "app/USettings.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "lang/ULang.h"
#include "params/UParGen_File.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

TTestFolder::TTestFolder(const QString &folderName)
    : m_folder(folderName.isEmpty() ? m_dir.path() : m_dir.filePath(folderName))
{
    QDir().mkpath(m_folder);
}

QString TTestFolder::Path(const QString &relativePath) const
{
    return QDir(m_folder).filePath(relativePath);
}

bool TTestFolder::Write_File(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = Path(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray TTestFolder::Read_File(const QString &relativePath) const
{
    QFile file(Path(relativePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TTestFolder::Exists(const QString &relativePath) const
{
    return QFileInfo::exists(Path(relativePath));
}

void TTestFolder::Prepare() const
{
    Reset_Shared_State();
    Set_Program_Folders(m_folder);
    TXMLDocument settings;
    Read_Settings(settings, nullptr);
    SW_Code = Default_SW_Code;
    SW_Description = Default_SW_Description;
    Select_Language(Language, &Language);
}

void TTestFolder::Make_Configurations(const QStringList &names) const
{
    for (const QString &name : names)
        QDir().mkpath(Join_Path(Join_Path(Path_Projects, name), QStringLiteral("bin")));
}

void TTestFolder::Open_Configuration(const QString &name) const
{
    Make_Configurations({name});
    Name_Project = name;
    Path_Project = Join_Path(Path_Projects, name);
    File_ParGen = ParGen_File_Path(Path_Project);
}

bool Make_Non_File(const QString &path, const QString &kind)
{
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    const QString target = path + QStringLiteral("-target");
    if (kind.startsWith(QLatin1String("link to ")))
        return (kind == QLatin1String("link to nothing") || Make_Non_File(target, kind.section(QLatin1Char(' '), -1)))
               && QFile::link(target, path);
#ifdef Q_OS_WIN
    return false;
#else
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("pipe"))
        return mkfifo(name.constData(), 0600) == 0;
    return kind == QLatin1String("device") && mknod(name.constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
#endif
}

QString Non_File_Problem(const QString &kind)
{
#ifdef Q_OS_WIN
    return kind == QLatin1String("folder") ? QString() : QStringLiteral("no pipes, devices or links here");
#else
    return kind.endsWith(QLatin1String("device")) && geteuid() != 0 ? QStringLiteral("only root makes a device")
                                                                   : QString();
#endif
}
