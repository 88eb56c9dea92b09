#include "app/UWidgets.h"

#include <QEnterEvent>
#include <QtTest>

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void button_colours_data();
    void button_colours();
    void look_of_a_window();
};

void TestWidgets::button_colours_data()
{
    QTest::addColumn<bool>("small");
    QTest::addColumn<QColor>("hover");
    QTest::newRow("image button") << false << QColor(255, 255, 0);
    QTest::newRow("collapse button") << true << QColor(135, 206, 235);
}

void TestWidgets::button_colours()
{
    QFETCH(bool, small);
    QFETCH(QColor, hover);
    QWidget window;
    TImageButton button(QStringLiteral("Btn_X"), QStringLiteral(":/icons/none.svg"), &window, small);
    window.show();
    QCOMPARE(button.Face_Colour(), QColor(248, 247, 237));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
    QCOMPARE(button.Face_Colour(), hover);
    int clicks = 0;
    connect(&button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.Face_Colour(), QColor(255, 128, 0));
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(button.Face_Colour(), QColor(248, 247, 237));
    // Caption names the button for screen readers; without one, the hint does.
    button.Set_Hint(QStringLiteral("Collapse"));
    QCOMPARE(button.accessibleName(), QStringLiteral("Collapse"));
    button.Set_Caption(QStringLiteral("OK"));
    QCOMPARE(button.accessibleName(), QStringLiteral("OK"));
    QCOMPARE(button.toolTip(), QStringLiteral("Collapse"));
}

void TestWidgets::look_of_a_window()
{
    QWidget window;
    Apply_Look(&window);
    QCOMPARE(window.palette().color(QPalette::Window), QColor(248, 247, 237));
    QCOMPARE(window.font().pixelSize(), 11);
    const TTitleBand band = Create_Title_Band(&window, 300);
    QCOMPARE(band.P_Title->geometry(), QRect(0, 0, 300, 69));
    QCOMPARE(band.L_SW_Code->font().pixelSize(), 32);
    QVERIFY(band.L_SW_Desc->font().bold());
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
