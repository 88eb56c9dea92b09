// The settings reader over any document, then a write and a second read that
// must give the same values back.
#include "app/USettings.h"
#include "common/UComon.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TXMLDocument doc;
    if (!doc.Load_Bytes(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size))))
        return 0;
    Apply_Settings(doc);
    const QString name = Name_Project, address = Last_IP_Address, language = Language;
    const bool flags[4] = {Enable_Internet, Enable_Update, Enable_Jump_Field_Tables, Double_Click_Auto_Size};

    TXMLDocument written;
    Build_Settings_Document(written);
    TXMLDocument reread;
    if (!reread.Load_Bytes(written.To_Bytes()))
        std::abort();
    Apply_Settings(reread);
    if (Name_Project != name || Last_IP_Address != address || Language != language
        || Enable_Internet != flags[0] || Enable_Update != flags[1]
        || Enable_Jump_Field_Tables != flags[2] || Double_Click_Auto_Size != flags[3])
        std::abort();
    return 0;
}
