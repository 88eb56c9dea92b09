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
    const int32_t check[3] = {Last_Check_Unit_ID, Last_Check_Registers, Last_Check_Echo ? 1 : 0};
    const int32_t plant[2] = {Plant_Width, Plant_Height};
    const QList<int> columns = Plant_Column_Widths;

    TXMLDocument written;
    Build_Settings_Document(written);
    TXMLDocument reread;
    if (!reread.Load_Bytes(written.To_Bytes()))
        std::abort();
    Apply_Settings(reread);
    if (Name_Project != name || Last_IP_Address != address || Language != language
        || Enable_Internet != flags[0] || Enable_Update != flags[1]
        || Enable_Jump_Field_Tables != flags[2] || Double_Click_Auto_Size != flags[3]
        || Last_Check_Unit_ID != check[0] || Last_Check_Registers != check[1] || int32_t(Last_Check_Echo) != check[2]
        || Plant_Width != plant[0] || Plant_Height != plant[1] || Plant_Column_Widths != columns)
        std::abort();
    return 0;
}
