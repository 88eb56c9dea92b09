// How long the Update Device dialog's reachability test takes against a
// device that answers: 127.0.0.1, two answered echoes with their pauses; and
// one echo request on its own.
#include "bench/UBench_Figures.h"
#include "platform/UEcho.h"
#include "update/UBoot.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <cstdio>

bool Bench_Echo()
{
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
            std::fprintf(stderr, "echo round %d: 127.0.0.1 did not answer\n", i + 1);
            return false;
        }
        tests.append(clock.nsecsElapsed() / 1e6);

        clock.restart();
        const TEcho_Reply reply =
            Echo_Request(QStringLiteral("127.0.0.1"), QByteArray("127.0.0.1"), 400);
        if (reply.Bytes_Received == 0) {
            std::fprintf(stderr, "echo round %d: not answered: %s\n", i + 1, qPrintable(reply.Error));
            return false;
        }
        echoes.append(clock.nsecsElapsed() / 1e6);
    }
    std::printf("Reachability test against 127.0.0.1:\n");
    Print_Figure("Send_Ping (two answered echoes)", tests, "ms");
    Print_Figure("one echo request", echoes, "ms");
    return true;
}
