// The widget kit: button colours, the windows' look, and message boxes that show text literally.
#include "TestWindows.h"

#include "platform/UPlatform.h"
#include "ui/UGrid.h"
#include "ui/UWidgets.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void button_colours_data();
    void button_colours();
    void disabled_button_greys_its_icon_data();
    void disabled_button_greys_its_icon();
    void look_of_a_window();
    void message_boxes_show_text_literally_data();
    void message_boxes_show_text_literally();
    void grid_columns_fit_their_texts_data();
    void grid_columns_fit_their_texts();
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

void TestWidgets::disabled_button_greys_its_icon_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qreal>("ratio");   // the screen's device pixels per pixel
    for (const char *icon : {":/icons/start.svg", ":/icons/stop.svg"}) {
        for (const qreal ratio : {1.0, 1.5}) {
            QTest::addRow("%s enabled at %g", icon, ratio) << QString::fromLatin1(icon) << true << ratio;
            QTest::addRow("%s disabled at %g", icon, ratio) << QString::fromLatin1(icon) << false << ratio;
        }
    }
}

// Start's green arrow and Cancel's red square keep their colour only while
// the button can be pressed.
void TestWidgets::disabled_button_greys_its_icon()
{
    QFETCH(QString, icon);
    QFETCH(bool, enabled);
    QFETCH(qreal, ratio);
    QWidget window;
    Apply_Look(&window);
    TImageButton button(QStringLiteral("Btn_X"), icon, &window);
    button.Set_Caption(QStringLiteral("Start"));
    button.setGeometry(0, 0, 110, 28);
    button.setEnabled(enabled);
    QImage image(QSize(110, 28) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    button.render(&image);
    int saturation = 0;
    const QRect iconArea(QPoint(4, 2) * ratio, QSize(24, 24) * ratio);
    for (int y = iconArea.top(); y <= iconArea.bottom(); ++y)
        for (int x = iconArea.left(); x <= iconArea.right(); ++x)
            saturation = qMax(saturation, image.pixelColor(x, y).hsvSaturation());
    QVERIFY2(enabled ? saturation > 120 : saturation < 40, qPrintable(QString::number(saturation)));
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
    // Labels grow to their texts, as long as a translation makes them.
    Set_Label_Text(band.L_SW_Desc, QStringLiteral("A subtitle much longer than any label starts out"));
    QCOMPARE(band.L_SW_Desc->size(), band.L_SW_Desc->sizeHint());
}

void TestWidgets::message_boxes_show_text_literally_data()
{
    QTest::addColumn<int>("kind");   // 0 error, 1 warning, 2 confirmation
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("error") << 0 << QMessageBox::Critical;
    QTest::newRow("warning") << 1 << QMessageBox::Warning;
    QTest::newRow("confirmation") << 2 << QMessageBox::Question;
}

void TestWidgets::message_boxes_show_text_literally()
{
    QFETCH(int, kind);
    QFETCH(QMessageBox::Icon, icon);
    const QString text = QStringLiteral("Cannot write \"/PROJECTS/<b>Plant</b>/ParGen.xml\"");
    QMessageBox *seen = nullptr;
    Qt::TextFormat format = Qt::RichText;
    When_Modal_Shows([&](QWidget *modal) {
        seen = qobject_cast<QMessageBox *>(modal);
        if (seen) {
            format = seen->textFormat();
            QCOMPARE(seen->icon(), icon);
            QCOMPARE(seen->text(), text);
        }
        modal->close();
    });
    if (kind == 0)
        Platform().Error_Box(nullptr, text);
    else if (kind == 1)
        Platform().Warning_Box(nullptr, text);
    else
        QVERIFY(!Platform().Confirm_Box(nullptr, text));
    QVERIFY(seen);
    QCOMPARE(format, Qt::PlainText);
}

void TestWidgets::grid_columns_fit_their_texts_data()
{
    QTest::addColumn<QString>("where");   // header, cell, bold cell, given, spanned, spanned given, widget
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("rows");
    const QString where[] = {"header", "cell", "bold cell", "given", "spanned", "spanned given", "widget"};
    for (const QString &place : where) {
        for (const int column : {0, 1, 2}) {
            if (place.startsWith(QLatin1String("spanned")) && column == 2)
                continue;
            QTest::addRow("%s in column %d", qPrintable(place), column) << place << column << 3;
        }
    }
    QTest::newRow("cell in column 1, more rows than shown") << "cell" << 1 << 40;
}

// The long text fits whole wherever it stands, and the table the width asked
// for shows every column without scrolling sideways.
void TestWidgets::grid_columns_fit_their_texts()
{
    QFETCH(QString, where);
    QFETCH(int, column);
    QFETCH(int, rows);
    const QString text = QStringLiteral("Zeitüberschreitung der Antwort nach langer Wartezeit");
    QWidget window;
    Apply_Look(&window);
    // Larger than the program's default font: cells show in the table's.
    QFont large = window.font();
    large.setPixelSize(18);
    window.setFont(large);
    QTableWidget *table = Create_Grid(&window, QStringLiteral("SG_Test"), 3, QRect(0, 0, 200, 200), 22);
    table->setRowCount(rows);
    table->setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < 3; ++c)
            Set_Grid_Cell(table, row, c, QString::number(row));
    QList<TGrid_Texts> given;
    const int span = where.startsWith(QLatin1String("spanned")) ? 2 : 1;
    if (where == QLatin1String("header"))
        table->horizontalHeaderItem(column)->setText(text);
    else if (where == QLatin1String("cell") || where == QLatin1String("spanned"))
        Set_Grid_Cell(table, rows - 1, column, text);
    else if (where == QLatin1String("bold cell")) {
        QFont bold = table->font();
        bold.setBold(true);
        Set_Grid_Cell(table, rows - 1, column, text)->setFont(bold);
    }
    else if (where == QLatin1String("widget")) {
        auto *box = new QComboBox;
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->addItem(text);
        table->setCellWidget(0, column, box);
    } else
        given.append({column, {text}, span});
    if (where == QLatin1String("spanned"))
        table->setSpan(rows - 1, column, 1, 2);
    const int needed = Fit_Grid_Columns(table, given);
    table->resize(needed, table->height());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int width = 0;
    for (int c = column; c < column + span; ++c)
        width += table->columnWidth(c);
    QFont font = table->font();
    if (where == QLatin1String("header"))
        font = table->horizontalHeader()->font();
    font.setBold(where == QLatin1String("bold cell"));
    // The view cuts a text a fraction of a pixel too wide for the cell (its
    // margins and grid line taken off).
    QVERIFY2(QFontMetricsF(font).horizontalAdvance(text) + 6 + 1 <= width, qPrintable(QString::number(width)));
    QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(table->horizontalHeader()->length(), table->viewport()->width());
    QCOMPARE(table->verticalScrollBar()->isVisible(), rows > 3);
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
