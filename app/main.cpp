#include "app/UCreate_Windows.h"
#include "app/UVelmoraeFirmWare.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Create_Windows(QCoreApplication::applicationDirPath());
    FVelmoraeFirmWare->show();
    const int result = application.exec();
    Destroy_Windows();
    return result;
}
