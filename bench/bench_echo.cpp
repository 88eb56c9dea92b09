// How long the Update Device dialog's reachability test takes against a
// device that answers: 127.0.0.1, two answered echoes with their pauses; and
// one echo request on its own.
#include "update/UBoot.h"
#include "update/UEcho.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>

namespace {

void Print(const char *what, QList<double> &times)
{
    std::sort(times.begin(), times.end());
    std::printf("  %-40s median %8.2f ms, minimum %8.2f ms\n", what, times.at(times.size() / 2),
                times.first());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(icons);
    TFBoot dialog;
    dialog.E_IP1->setText(QStringLiteral("127"));
    dialog.E_IP2->setText(QStringLiteral("0"));
    dialog.E_IP3->setText(QStringLiteral("0"));
    dialog.E_IP4->setText(QStringLiteral("1"));

    constexpr int Rounds = 101;
    QList<double> tests;
    QList<double> echoes;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!dialog.Send_Ping()) {
            std::fprintf(stderr, "round %d: 127.0.0.1 did not answer\n", i + 1);
            return 1;
        }
        tests.append(clock.nsecsElapsed() / 1e6);

        clock.restart();
        const TEcho_Reply reply =
            Echo_Request(QStringLiteral("127.0.0.1"), QByteArray("127.0.0.1"), 400);
        if (reply.Bytes_Received == 0) {
            std::fprintf(stderr, "round %d: echo not answered: %s\n", i + 1,
                         qPrintable(reply.Error));
            return 1;
        }
        echoes.append(clock.nsecsElapsed() / 1e6);
    }
    std::printf("%d rounds against 127.0.0.1:\n", Rounds);
    Print("Send_Ping (two answered echoes)", tests);
    Print("one echo request", echoes);
    return 0;
}
