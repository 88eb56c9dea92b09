#pragma once
// A program folder in a temporary directory, and the start-up steps the
// program takes there before any window exists: shared state reset, program
// folders, settings file, identity texts, string table.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TTestFolder
{
public:
    // folderName: the program folder's own name inside the temporary
    // directory (to try names with blanks or non-ASCII letters); none puts
    // the program in the temporary directory itself.
    explicit TTestFolder(const QString &folderName = QString());

    // The program folder (Path_Exe once prepared).
    QString Folder() const { return m_folder; }
    // The full path of a file or folder below the program folder.
    QString Path(const QString &relativePath) const;
    // Writes a file below the program folder, creating its folders; false
    // when it could not be written whole.
    bool Write_File(const QString &relativePath, const QByteArray &bytes) const;
    // The file's bytes; empty when it cannot be read.
    QByteArray Read_File(const QString &relativePath) const;
    // Whether the file or folder exists below the program folder.
    bool Exists(const QString &relativePath) const;

    // The start-up steps before any window (folders, settings, identity,
    // language), for a test that builds one dialog on its own.
    void Prepare() const;
    // Makes the configuration folders PROJECTS/name with their bin folders.
    void Make_Configurations(const QStringList &names) const;
    // Makes PROJECTS/name with its bin folder the open configuration.
    void Open_Configuration(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

// Makes at path something that is no file: "folder", "pipe", "device" (a
// node that reads zeros without end, as /dev/zero does), "link to a device"
// or "link to nothing" (links to path + "-target"). Devices are made in the
// test's own folder, so a record written through one by mistake harms
// nothing. False when it could not be made.
bool Make_Non_File(const QString &path, const QString &kind);
// Why kind cannot be made here ("" when it can): pipes, devices and links
// are not made on Windows, devices only by root.
QString Non_File_Problem(const QString &kind);
