// bank: bin/bank.bin of each configuration through the two calls of Update
// Device, Build_Image and Write_Bank_File, one configuration after the other:
// both work on the program-wide image and open configuration.
#include "cli/UCli_Commands.h"
#include "cli/UCli_Configurations.h"
#include "cli/UCli_Output.h"

#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"

#include <QDir>

int Run_Bank(const TCli_Options &options)
{
    bool failed = false;
    for (const TCli_Configuration &configuration : Chosen_Configurations(options, failed)) {
        Open_Configuration(configuration);
        TXMLDocument doc;
        QString error;
        if (!Build_Image(doc, &error) || !Write_Bank_File(&error)) {
            Print_Problem(configuration.Name + QStringLiteral(": ") + error);
            failed = true;
            continue;
        }
        Print_Result(QStringLiteral("%1: %2 bytes, byte sum %3")
                         .arg(QDir::toNativeSeparators(Bank_File_Path()))
                         .arg(Image_Length)
                         .arg(Image_Parameters.Byte_Sum));
    }
    return failed ? Exit_Failed : Exit_Done;
}
