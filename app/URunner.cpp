#include "app/UVelmoraeFirmWare.h"

#include <QProcess>

void TFVelmoraeFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter,
                                       uint8_t tipo, int limitMs)
{
    Q_UNUSED(tipo);
    QProcess process;
    process.start(NomeSW, Parameter.isEmpty() ? QStringList() : QStringList{Parameter});
    process.waitForFinished(limitMs);
}
