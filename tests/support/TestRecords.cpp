// Blocks of the records written out by hand (TestRecords.h).
#include "TestRecords.h"

QByteArray Update_Block(const char *asked, const char *result, const char *sum)
{
    return QByteArray("=== Update 2026-03-04 12:00:00 +01:00\nDevice: 127.0.0.1\nConfiguration: 192.168.0.10\n")
           + "Asked: " + asked + "\nImage: bin/bank.bin, byte sum " + sum + " (0x0)\nResult: " + result + "\n\n";
}

QByteArray Check_Block(const char *time, const char *verdict)
{
    return QByteArray("=== Check 2026-03-04 ") + time + " +01:00\nValues: ParGen.xml\n"
           "Device: 192.168.0.10:502, unit 1, time limit 3000 ms\nEcho: answered, 0 ms\n"
           "Connect: connected to 192.168.0.10:502, 0 ms\n"
           "Read data, function 04 (input registers), addresses 1-8: refused: exception 02 illegal data address, 1 ms\n"
           "  1 = exception 02 illegal data address\n"
           "Status word, function 04 (input registers), address 0: answered, 0 ms\n  0 = 17 (0x0011)\n"
           "Byte count, function 04 (input registers), address 1: answered, 0 ms\n  1 = 1 (0x0001)\n"
           "Verdict: " + verdict + ", 3 ms\n\n";
}

uint32_t Image_Sum(const QByteArray &image)
{
    uint32_t sum = 0;
    for (int i = 0; i < 2044 && i < image.size(); ++i)
        sum += uint8_t(image.at(i));
    return sum;
}
