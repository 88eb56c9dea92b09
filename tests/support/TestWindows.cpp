// Driving modal dialogs and edit fields, and watching windows repaint (TestWindows.h).
#include "TestWindows.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

void When_Modal_Shows(std::function<void(QWidget *)> action, int timeoutMs)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        action(modal);
    });
    timer->start();
}

void When_Shown(QDialog *dialog, std::function<void()> action)
{
    When_Modal_Shows([dialog, action](QWidget *modal) {
        if (modal == dialog)
            action();
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
}

void Type(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Retype(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    // What is typed replaces the selection; nothing to type deletes it.
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}
