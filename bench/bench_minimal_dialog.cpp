// The yardstick for the start-up figure: a Qt Widgets program that shows one
// empty dialog and nothing else.
#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.show();
    return application.exec();
}
