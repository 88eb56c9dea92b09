#pragma once
// Configuration folders under PROJECTS: creating one with its empty bin
// folder, listing the ones the Open dialog offers, and finding a name in that
// list the way the program compares names.

#include <QHash>
#include <QString>
#include <QStringList>

enum class TNew_Project_Result {
    Created,
    Empty_Name,       // nothing typed
    Already_Exists,   // a folder of that name, in any letter case
    Not_Valid         // not a portable folder name, or the folder cannot be made
};

// A single folder name that every system accepts: no "/", "\", control
// characters or < > : " | ? *, not ending in a blank or a dot, not "." or
// "..", and not a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// with or without an extension). Except on Windows, where a leading dot hides
// nothing, not starting with "." either (the Open list hides such folders).
bool Is_Portable_Project_Name(const QString &name);

// Creates projects/name (never its parents) and an empty bin folder in it. A
// name that differs from an existing folder only in letter case counts as
// existing, so a project set stays valid on systems that ignore case. When
// the bin folder cannot be made (a full disk), the new folder is removed again
// and the name counts as not valid.
TNew_Project_Result Create_Project_Folder(const QString &projects, const QString &name);

// The entries of a PROJECTS folder, files and hidden ones too, read once so
// that many new names can be checked against one listing.
class TProject_Names
{
public:
    explicit TProject_Names(const QString &projects);
    // What Create_Project_Folder answers for name, without making anything:
    // Created means the name is free and portable. On Already_Exists,
    // existing gets the folder's name as the disk spells it.
    TNew_Project_Result Check(const QString &name, QString *existing = nullptr) const;

private:
    struct TEntry
    {
        QString Name;
        bool Is_Folder;
    };
    // By case-folded name; the first entry in listing order wins.
    QHash<QString, TEntry> m_entries;
};

// Makes projects/name (never its parents) and its empty bin folder; when bin
// cannot be made the new folder is removed again. False with error naming the
// folder and the system's reason.
bool Make_Project_Folder(const QString &projects, const QString &name, QString *error = nullptr);

// The visible folders under projects, sorted by name without regard to case.
// Plain files and hidden folders are left out: on Windows those with the
// hidden or system attribute, elsewhere names starting with "."; a folder
// that cannot be read gives an empty list.
QStringList List_Configurations(const QString &projects);

// The index of the entry spelled exactly as name, or else of the first entry
// equal to name when ASCII letters are compared in upper case, or -1.
int Search_Configuration(const QStringList &names, const QString &name);
