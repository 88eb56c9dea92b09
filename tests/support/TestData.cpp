// Values the tests write out or read back by hand (TestData.h).
#include "TestData.h"

#include "params/UParGen_Check.h"

QByteArray Settings_Xml(const QString &project, const QString &language, bool internet,
                        bool update, const QString &address)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return QStringLiteral("<Conf_Settings><lastproj><projectname>%1</projectname></lastproj>"
                          "<lastipadd><ipaddress>%2</ipaddress></lastipadd>"
                          "<lastlang><language>%3</language></lastlang>"
                          "<lastinternet><enable_internet>%4</enable_internet>"
                          "<enable_update>%5</enable_update>"
                          "<enable_jump_field_tables>0</enable_jump_field_tables>"
                          "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>"
                          "</Conf_Settings>")
        .arg(project.toHtmlEscaped(), address.toHtmlEscaped(), language.toHtmlEscaped(),
             flag(internet), flag(update))
        .toUtf8();
}

// With the UTF-8 mark, as the shipped files have it, so it reads the same on
// Windows, where a file without a mark is read in the ANSI code page.
const QByteArray German_Lng = QByteArrayLiteral(
    "\xEF\xBB\xBF" "Deutsch\r\nSTR17 = Gerät aktualisieren\r\nSTR300 = Software-Optionen\r\n"
    "STR304 = ¶Gewählte Sprache : ¶\r\nSTR305 = ¶Seite ¶\r\nSTR316 = ¶Sprache von ¶\r\n"
    "STR317 = ¶ zu ¶\r\nSTR318 = ¶ wechseln?¶\r\nSTR19 = Neue Version\r\n");

int Id_Of(const QString &name)
{
    for (int id = 0; id < ParGen_Count; ++id) {
        if (ParGen_Element(id).Name == name)
            return id;
    }
    return -1;
}

uint32_t Little_Endian(const QByteArray &bytes, int offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[offset + i]);
    return value;
}
