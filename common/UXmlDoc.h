#pragma once
// The one small set of XML operations that every file reader and writer uses.
// Values are element texts only; the writer puts no declaration and no
// indentation; the root is the document's first element, so a file that an
// editor opened with a declaration or a comment still reads.

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QStringList>

class TXMLDocument
{
public:
    // Makes the document usable; an empty document if nothing was loaded.
    void Activate() {}

    // Parses a file, replacing what the document held. On failure the
    // document is left empty and error names the file and the parser's words.
    bool Load_File(const QString &path, QString *error = nullptr);
    bool Load_Bytes(const QByteArray &bytes, QString *error = nullptr);

    QDomElement Root() const;
    static QDomElement Find_Child(const QDomElement &node, const QString &name);
    // The element's text; false for a missing element or one that holds
    // anything but text (child elements count as unreadable).
    static bool Text(const QDomElement &element, QString &text);

    // Follows names from the root and reads the last element's text.
    bool Read_Path(const QStringList &names, QString &text) const;

    void Clear();
    QDomElement Add_Root(const QString &name);
    QDomElement Add_Child(QDomElement parent, const QString &name);
    static void Set_Text(QDomElement element, const QString &text);
    // Convenience: Add_Child and Set_Text in one step.
    QDomElement Add_Text_Child(QDomElement parent, const QString &name, const QString &text);
    void Add_Comment(const QString &text);

    // The whole document as UTF-8 without declaration or indentation.
    QByteArray To_Bytes() const;
    // Writes the whole document through a save file: all of it or nothing. A
    // value the file cannot hold is refused before anything is written, so the
    // writer never makes a file that its own reader rejects.
    bool Save_File(const QString &path, QString *error = nullptr) const;
    // Save_File's refusal of a value the file cannot hold, on its own, for a
    // check that must promise no more than the write will do.
    bool Check_Storable(const QString &path, QString *error = nullptr) const;

    QDomDocument &Dom() { return m_doc; }

private:
    QDomDocument m_doc;
};

// The position of the first character that an XML file cannot hold (a control
// character other than tab, line feed and carriage return, or U+FFFE, U+FFFF),
// or -1 when text can be written and read back.
int First_Unstorable_Character(const QString &text);

// Writes bytes to a file whole or not at all; error names the file and the reason.
bool Save_Whole_File(const QString &path, const QByteArray &bytes, QString *error);
