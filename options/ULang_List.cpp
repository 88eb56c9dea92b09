#include "options/ULang_List.h"

#include "common/UComon.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

bool Is_Offered_Lang_File(const QFileInfo &entry)
{
    if (entry.isSymLink() || !entry.isFile())
        return false;
#ifdef Q_OS_WIN
    // Hidden, system, archive, normal, sparse and not-content-indexed only.
    const DWORD allowed = 0x22A6;
    const DWORD attributes = GetFileAttributesW(
        reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(entry.absoluteFilePath()).utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & ~allowed) == 0;
#else
    // Judged from the mode bits, so it holds for root as well.
    return entry.permissions().testFlag(QFileDevice::WriteOwner);
#endif
}

QStringList Build_Lang_List(const QString &folder)
{
    QStringList names;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (Is_Offered_Lang_File(entry))
            names.append(entry.fileName());
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names the collator holds equal keep a fixed order between runs.
    std::sort(names.begin(), names.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

int Lang_Page_Count(int files)
{
    return (files + Languages_Per_Page - 1) / Languages_Per_Page;
}

QString Lang_Name(const QString &fileName)
{
    return fileName.left(fileName.size() - 4);
}

QString Flag_File(const QString &folder, const QString &name)
{
    // A folder that happens to bear a picture's name is no picture.
    const QString own = Join_Path(folder, name + QStringLiteral(".bmp"));
    if (QFileInfo(own).isFile())
        return own;
    const QString fallback = Join_Path(folder, QStringLiteral("DefaultFlag.bmp"));
    if (QFileInfo(fallback).isFile())
        return fallback;
    return QString();
}
