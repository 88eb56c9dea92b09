#pragma once
// The updater job: the file Ethernet_Update.xml in the program folder that
// tells the updater program which device to write and with which files.

#include <QString>

class TXMLDocument;

// The job file and the updater program beside the configurator.
extern const QString Job_File_Name;
extern const QString Updater_Program_Name;

// Both in the program folder exeFolder.
QString Job_File_Path(const QString &exeFolder);
QString Updater_Program_Path(const QString &exeFolder);

// The three update options, as the positions of the dialog's list.
enum TUpdate_Option
{
    Update_Firmware_And_Configuration = 0,
    Update_Firmware = 1,
    Update_Configuration = 2
};

// Rebuilds doc from empty as the job: the device at ipAddress (the address
// text as typed), the operations of option (anything but 1 and 2 counts as
// both), read-back on or off. The files are named with the system's own
// separators: the firmware in masterFolder, bank.bin of the configuration
// folder project.
void Build_Job_Document(TXMLDocument &doc, const QString &ipAddress, int option, bool readBack,
                        const QString &masterFolder, const QString &project);
