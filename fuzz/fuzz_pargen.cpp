// The Set Communication dialog's ParGen.xml reader over any document: what it
// reads, written by the dialog's writer and read again, gives the same values.
#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"

#include <QByteArray>
#include <cstdlib>

static bool Same_Values(const TParGen_Values &a, const TParGen_Values &b)
{
    for (int id = 0; id < ParGen_Count; ++id)
        if (Encode_ParGen_Value(id, a[id]) != Encode_ParGen_Value(id, b[id]))
            return false;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TXMLDocument doc;
    if (!doc.Load_Bytes(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size))))
        return 0;
    const TParGen_Values values = Read_ParGen(doc);

    TXMLDocument written;
    Compile_XML_Parameter(written, values);
    TXMLDocument reread;
    if (!reread.Load_Bytes(written.To_Bytes()) || reread.Root().tagName() != ParGen_Root)
        std::abort();
    if (!Same_Values(Read_ParGen(reread), values))
        std::abort();
    return 0;
}
