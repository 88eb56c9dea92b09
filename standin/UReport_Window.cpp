#include "standin/UReport_Window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TReport_Window::TReport_Window(const TJob_Report &report, int closeAfterMs)
{
    setObjectName(QStringLiteral("Report_Window"));
    setWindowTitle(QStringLiteral("Ethernet_Update stand-in: no device was contacted"));
    Findings = new QPlainTextEdit(report.Findings().join(QLatin1Char('\n')), this);
    Findings->setObjectName(QStringLiteral("Findings"));
    Findings->setReadOnly(true);
    Findings->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Verdict = new QLabel(report.Verdict(), this);
    Verdict->setObjectName(QStringLiteral("Verdict"));
    Verdict->setTextFormat(Qt::PlainText);
    QFont bold = Verdict->font();
    bold.setBold(true);
    Verdict->setFont(bold);
    auto *closing = new QLabel(
        QStringLiteral("This window closes by itself after %1 seconds.").arg(closeAfterMs / 1000), this);
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);
    Btn_Close->setObjectName(QStringLiteral("Btn_Close"));
    Btn_Close->setDefault(true);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Findings);
    layout->addWidget(Verdict);
    layout->addWidget(closing);
    layout->addWidget(Btn_Close, 0, Qt::AlignRight);
    resize(640, 420);

    // The configurator waits for this program at most 150 s.
    QTimer::singleShot(closeAfterMs, this, &QDialog::accept);
}

bool Report_Window_Wanted(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("VELMORA_STANDIN_QUIET")).isEmpty())
        return false;
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
#ifdef Q_OS_WIN
    return true;
#else
    return !environment.value(QStringLiteral("DISPLAY")).isEmpty()
           || !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
#endif
}
