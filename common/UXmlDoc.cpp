#include "common/UXmlDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamReader>

bool TXMLDocument::Load_File(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_doc = QDomDocument();
        if (error)
            *error = QStringLiteral("Cannot open \"%1\": %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QString parseError;
    if (!Load_Bytes(bytes, &parseError)) {
        if (error)
            *error = QStringLiteral("\"%1\" is not valid XML: %2")
                         .arg(QDir::toNativeSeparators(path), parseError);
        return false;
    }
    return true;
}

bool TXMLDocument::Load_Bytes(const QByteArray &bytes, QString *error)
{
    // Built with a stream reader rather than QDomDocument::setContent, which
    // drops texts made only of blanks: an edit field holding blanks must read
    // back as it was saved.
    QDomDocument doc;
    QXmlStreamReader reader(bytes);
    // The element being filled; null at document level.
    QDomNode current;
    auto append = [&doc, &current](const QDomNode &node) {
        if (current.isNull())
            doc.appendChild(node);
        else
            current.appendChild(node);
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            QDomElement element = doc.createElement(reader.name().toString());
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                element.setAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            append(element);
            current = element;
            break;
        }
        case QXmlStreamReader::EndElement:
            current = current.parentNode();
            if (current.isDocument())
                current = QDomNode();
            break;
        case QXmlStreamReader::Characters:
            // Blanks between top-level nodes belong to no element.
            if (current.isElement()) {
                if (reader.isCDATA())
                    current.appendChild(doc.createCDATASection(reader.text().toString()));
                else
                    current.appendChild(doc.createTextNode(reader.text().toString()));
            }
            break;
        case QXmlStreamReader::Comment:
            append(doc.createComment(reader.text().toString()));
            break;
        case QXmlStreamReader::ProcessingInstruction:
            append(doc.createProcessingInstruction(
                reader.processingInstructionTarget().toString(),
                reader.processingInstructionData().toString()));
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || doc.documentElement().isNull()) {
        m_doc = QDomDocument();
        if (error) {
            const QString message =
                reader.hasError() ? reader.errorString() : QStringLiteral("no root element");
            *error = QStringLiteral("%1 (line %2, column %3)")
                         .arg(message, QString::number(reader.lineNumber()),
                              QString::number(reader.columnNumber()));
        }
        return false;
    }
    m_doc = doc;
    return true;
}

QDomElement TXMLDocument::Root() const
{
    return m_doc.documentElement();
}

QDomElement TXMLDocument::Find_Child(const QDomElement &node, const QString &name)
{
    if (node.isNull())
        return QDomElement();
    return node.firstChildElement(name);
}

bool TXMLDocument::Text(const QDomElement &element, QString &text)
{
    if (element.isNull())
        return false;
    QString result;
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isText() || child.isCDATASection())
            result += child.nodeValue();
        else if (!child.isComment() && !child.isProcessingInstruction())
            return false;
    }
    text = result;
    return true;
}

bool TXMLDocument::Read_Path(const QStringList &names, QString &text) const
{
    QDomElement node = Root();
    for (const QString &name : names) {
        node = Find_Child(node, name);
        if (node.isNull())
            return false;
    }
    return Text(node, text);
}

void TXMLDocument::Clear()
{
    m_doc = QDomDocument();
}

QDomElement TXMLDocument::Add_Root(const QString &name)
{
    QDomElement root = m_doc.createElement(name);
    m_doc.appendChild(root);
    return root;
}

QDomElement TXMLDocument::Add_Child(QDomElement parent, const QString &name)
{
    QDomElement child = m_doc.createElement(name);
    parent.appendChild(child);
    return child;
}

void TXMLDocument::Set_Text(QDomElement element, const QString &text)
{
    while (!element.firstChild().isNull())
        element.removeChild(element.firstChild());
    if (!text.isEmpty())
        element.appendChild(element.ownerDocument().createTextNode(text));
}

QDomElement TXMLDocument::Add_Text_Child(QDomElement parent, const QString &name,
                                         const QString &text)
{
    QDomElement child = Add_Child(parent, name);
    Set_Text(child, text);
    return child;
}

void TXMLDocument::Add_Comment(const QString &text)
{
    m_doc.appendChild(m_doc.createComment(text));
}

QByteArray TXMLDocument::To_Bytes() const
{
    // Node by node, since the DOM's own writer ends a top-level comment with a
    // line break.
    QString text;
    for (QDomNode node = m_doc.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isComment()) {
            text += QStringLiteral("<!--") + node.toComment().data() + QStringLiteral("-->");
        } else {
            QString part;
            QTextStream stream(&part);
            node.save(stream, -1);
            text += part;
        }
    }
    return text.toUtf8();
}

int First_Unstorable_Character(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF)
            return i;
    }
    return -1;
}

namespace {

// The first text below node that cannot be stored, with the element holding it.
bool Find_Unstorable(const QDomNode &node, QString &element, QChar &character)
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isCharacterData()) {
            const QString value = child.nodeValue();
            const int at = First_Unstorable_Character(value);
            if (at >= 0) {
                element = node.isElement() ? node.toElement().tagName() : QString();
                character = value.at(at);
                return true;
            }
        } else if (Find_Unstorable(child, element, character)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool TXMLDocument::Save_File(const QString &path, QString *error) const
{
    return Check_Storable(path, error) && Save_Whole_File(path, To_Bytes(), error);
}

bool TXMLDocument::Check_Storable(const QString &path, QString *error) const
{
    QString element;
    QChar character;
    if (Find_Unstorable(m_doc, element, character)) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": the value of %2 holds the control "
                                    "character U+%3, which the file cannot hold")
                         .arg(QDir::toNativeSeparators(path),
                              element.isEmpty() ? QStringLiteral("a comment") : element,
                              QString::number(character.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        return false;
    }
    return true;
}

bool Save_Whole_File(const QString &path, const QByteArray &bytes, QString *error)
{
    // A file marked read-only keeps its content even for a user whose rights
    // would let the replacement through: the mark is the owner's intent.
    const QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo existing(path);
    if (existing.isFile() && !(existing.permissions() & anyWrite)) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": the file is read-only")
                         .arg(QDir::toNativeSeparators(path));
        return false;
    }
    QSaveFile file(path);
    // A folder's own modes decide; no copy-and-rename fallback that could
    // leave a half-written file behind.
    file.setDirectWriteFallback(false);
    // commit() does not see a failed final flush (a full disk), so flush first.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
