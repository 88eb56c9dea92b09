#pragma once
// Real disk faults for tests: a small tmpfs mounted over a folder and filled
// up, its files and folders used up, and read-only bind mounts of folders and
// files. Mounting needs root; Problem() says why it cannot be done here, for
// QSKIP. The test process works in a mount namespace of its own, so nothing
// it mounts is seen outside it or outlives it; each mount is also undone when
// the object goes, whatever the test's checks did.

#include <QObject>
#include <QString>
#include <QStringList>

class TTestMounts
{
public:
    TTestMounts() = default;
    TTestMounts(const TTestMounts &) = delete;
    TTestMounts &operator=(const TTestMounts &) = delete;
    // Unmounts in the reverse order of mounting.
    ~TTestMounts();

    // Empty when mounts can be made here; otherwise the reason.
    static QString Problem();

    // A fresh tmpfs of sizeKb kilobytes over folder (made if missing); inodes
    // limits its files and folders together (0: the system's default).
    bool Tmpfs(const QString &folder, int sizeKb, int inodes = 0);
    // The folder or file mounted over itself read-only: its content stays
    // visible, and nothing below it can be changed, not even by root.
    bool Read_Only(const QString &path);
    // Fills the file system that holds folder with the file folder/.filler
    // until freeBlocks blocks are left.
    bool Fill(const QString &folder, int freeBlocks = 0);
    // Makes empty files in folder/.inodes until the file system can hold only
    // freeInodes more files or folders.
    bool Use_Inodes(const QString &folder, int freeInodes = 0);

    // Why the last call failed.
    QString Error;

private:
    bool Fail(const QString &what);
    QStringList m_mounted;
};

// The names in folder, hidden ones included, sorted: compared before and
// after a failed write, they show that no save file was left behind.
QStringList Folder_Entries(const QString &folder);

// The base of a test whose every case makes mounts: each case is skipped
// with the reason where they cannot be made here.
class TMounts_Test : public QObject
{
    Q_OBJECT
private slots:
    void init();
};
