#include "plant/UPlant_Pdf.h"

#include "common/URecord_Time.h"
#include "lang/UText.h"
#include "plant/UPlant_Texts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <vector>

namespace {

constexpr int Resolution = 300;              // dots per inch
constexpr qreal Margin_Mm = 12;
constexpr qreal Table_Points = 7;
constexpr qreal Heading_Points = 9;
constexpr qreal Title_Points = 16;
// Each column's share of the table's width.
constexpr qreal Column_Shares[Plant_Column_Count] = {13, 11, 14, 14, 11, 13, 15, 8, 8, 10};

qreal Dots(qreal mm)
{
    return mm * Resolution / 25.4;
}

QFont Font(qreal points, bool bold = false)
{
    QFont font;
    // No ligatures: "fi" stays two letters for whoever searches or copies
    // the document's text.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The state's tint: green when done, red for a fault to mend, amber for a
// step still to take.
QColor State_Tint(TPlant_State state)
{
    switch (state) {
    case TPlant_State::Commissioned:
        return QColor(0xD8, 0xF0, 0xD8);
    case TPlant_State::Settings_To_Fix:
    case TPlant_State::Address_Shared:
    case TPlant_State::Update_Failed:
    case TPlant_State::Check_Failed:
    case TPlant_State::Registers_Refused:
        return QColor(0xF6, 0xD5, 0xD5);
    case TPlant_State::No_Image:
    case TPlant_State::Image_Stale:
    case TPlant_State::Not_Updated:
    case TPlant_State::Update_Older:
    case TPlant_State::Not_Checked:
        break;
    }
    return QColor(0xFB, 0xEC, 0xC8);
}

// The table's geometry and the texts of one page size, measured once.
class TTable
{
public:
    TTable(QPaintDevice *device, qreal width)
        : m_device(device), m_font(Font(Table_Points)), m_bold(Font(Table_Points, true)),
          m_metrics(m_font, device), m_bold_metrics(m_bold, device), m_padding(Dots(0.8))
    {
        qreal shares = 0;
        for (const qreal share : Column_Shares)
            shares += share;
        qreal left = 0;
        for (int column = 0; column < Plant_Column_Count; ++column) {
            m_lefts[column] = left;
            m_widths[column] = width * Column_Shares[column] / shares;
            left += m_widths[column];
        }
        m_width = width;
    }

    qreal Width() const { return m_width; }

    // The height of a row of cells: its tallest cell, wrapped at word
    // boundaries (inside a word only where the word is wider than the column).
    qreal Height(const QStringList &cells, bool bold) const
    {
        qreal height = 0;
        for (int column = 0; column < Plant_Column_Count; ++column)
            height = qMax(height, Text_Height(cells.at(column), column, bold));
        return height + 2 * m_padding;
    }

    void Draw(QPainter &painter, qreal top, qreal height, const QStringList &cells, bool bold,
              const QColor &background, const QColor &stateTint) const
    {
        painter.fillRect(QRectF(0, top, m_width, height), background);
        if (stateTint.isValid()) {
            const int state = int(TPlant_Column::State);
            painter.fillRect(QRectF(m_lefts[state], top, m_widths[state], height), stateTint);
        }
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), Dots(0.1)));
        for (int column = 0; column < Plant_Column_Count; ++column)
            painter.drawRect(QRectF(m_lefts[column], top, m_widths[column], height));
        painter.setPen(Qt::black);
        for (int column = 0; column < Plant_Column_Count; ++column) {
            const QRectF cell(m_lefts[column] + m_padding, top + m_padding, m_widths[column] - 2 * m_padding,
                              height - 2 * m_padding);
            painter.save();
            painter.setClipRect(cell);
            Draw_Text(painter, cells.at(column), cell, bold);
            painter.restore();
        }
    }

private:
    qreal Inner(int column) const { return m_widths[column] - 2 * m_padding; }

    void Lay_Out(QTextLayout &layout, qreal width) const
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
    }

    // Most cells hold one short line, which needs no layout.
    bool One_Line(const QString &text, const QFontMetricsF &metrics, qreal width) const
    {
        return !text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= width;
    }

    qreal Text_Height(const QString &text, int column, bool bold) const
    {
        const QFontMetricsF &metrics = bold ? m_bold_metrics : m_metrics;
        if (One_Line(text, metrics, Inner(column)))
            return metrics.height();
        QTextLayout layout(text, bold ? m_bold : m_font, m_device);
        Lay_Out(layout, Inner(column));
        return layout.boundingRect().height();
    }

    void Draw_Text(QPainter &painter, const QString &text, const QRectF &cell, bool bold) const
    {
        const QFont &font = bold ? m_bold : m_font;
        const QFontMetricsF &metrics = bold ? m_bold_metrics : m_metrics;
        if (One_Line(text, metrics, cell.width())) {
            painter.setFont(font);
            painter.drawText(QPointF(cell.left(), cell.top() + metrics.ascent()), text);
            return;
        }
        QTextLayout layout(text, font, m_device);
        Lay_Out(layout, cell.width());
        layout.draw(&painter, cell.topLeft());
    }

    QPaintDevice *m_device;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_metrics;
    QFontMetricsF m_bold_metrics;
    qreal m_padding;
    qreal m_lefts[Plant_Column_Count] = {};
    qreal m_widths[Plant_Column_Count] = {};
    qreal m_width = 0;
};

struct TPage
{
    qsizetype First = 0;   // the first row on the page
    qsizetype End = 0;     // one past its last
};

} // namespace

QByteArray Plant_Report_Pdf(const TPlant_Report_Info &info, const QList<TPlant_Row> &rows,
                            const TLang_Table &texts)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(Resolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(Margin_Mm, Margin_Mm, Margin_Mm, Margin_Mm), QPageLayout::Millimeter));
    const QString title = texts.value(Text::Plant_Report_Title);
    pdf.setTitle(title + QStringLiteral(" - ") + info.Plant);
    pdf.setCreator(info.Program_Code + QLatin1Char(' ') + info.Program_Version);

    const qreal width = pdf.width();
    const qreal height = pdf.height();
    const TTable table(&pdf, width);
    const QFont heading = Font(Heading_Points);
    const QFontMetricsF headingMetrics(heading, &pdf);
    const QFontMetricsF titleMetrics(Font(Title_Points, true), &pdf);
    const qreal gap = Dots(3);
    const qreal footer = headingMetrics.height() + gap;
    // The first page opens with the title, the plant's line and the summary.
    const qreal firstTop = titleMetrics.height() + 2 * headingMetrics.height() + gap;
    const qreal laterTop = headingMetrics.height() + gap;

    const QStringList titles = Plant_Column_Titles(texts);
    const qreal titlesHeight = table.Height(titles, true);
    std::vector<QStringList> cells;
    std::vector<qreal> heights;
    cells.reserve(size_t(rows.size()));
    for (const TPlant_Row &row : rows) {
        cells.push_back(Plant_Cells(row, texts));
        // A row taller than a page is cut at the page's foot.
        heights.push_back(qMin(table.Height(cells.back(), false), height - footer - laterTop - titlesHeight));
    }
    QList<TPage> pages{TPage()};
    qreal y = firstTop + titlesHeight;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (y + heights[size_t(i)] > height - footer && pages.last().End > pages.last().First) {
            pages.append({i, i});
            y = laterTop + titlesHeight;
        }
        y += heights[size_t(i)];
        pages.last().End = i + 1;
    }

    const QString made = Record_Time_Text(info.Made);
    const QString plantLine = QStringLiteral("%1: %2    %3: %4    %5: %6 %7")
                                  .arg(texts.value(Text::Plant_Report_Plant), info.Plant,
                                       texts.value(Text::Plant_Report_Date), made,
                                       texts.value(Text::Plant_Report_Program), info.Program_Code,
                                       info.Program_Version);
    const QString summary = Plant_Summary_Text(Summarize_Plant(rows), texts);
    QPainter painter(&pdf);
    for (qsizetype number = 0; number < pages.size(); ++number) {
        if (number > 0)
            pdf.newPage();
        painter.setPen(Qt::black);
        qreal top = 0;
        if (number == 0) {
            painter.setFont(Font(Title_Points, true));
            painter.drawText(QPointF(0, titleMetrics.ascent()), title);
            painter.setFont(heading);
            painter.drawText(QPointF(0, titleMetrics.height() + headingMetrics.ascent()), plantLine);
            painter.drawText(QPointF(0, titleMetrics.height() + headingMetrics.height() + headingMetrics.ascent()),
                             summary);
            top = firstTop;
        } else {
            painter.setFont(heading);
            painter.drawText(QPointF(0, headingMetrics.ascent()), title + QStringLiteral(" - ") + info.Plant);
            top = laterTop;
        }
        table.Draw(painter, top, titlesHeight, titles, true, QColor(0xE4, 0xE4, 0xE4), QColor());
        top += titlesHeight;
        for (qsizetype i = pages.at(number).First; i < pages.at(number).End; ++i) {
            const qreal rowHeight = heights[size_t(i)];
            table.Draw(painter, top, rowHeight, cells[size_t(i)], false, i % 2 ? QColor(0xF5, 0xF5, 0xF5) : Qt::white,
                       State_Tint(rows.at(i).State));
            top += rowHeight;
        }
        painter.setFont(heading);
        painter.setPen(Qt::black);
        const QString page = texts.value(Text::Page) + QString::number(number + 1) + texts.value(Text::Page_Of)
                             + QString::number(pages.size());
        const qreal base = height - headingMetrics.descent();
        painter.drawText(QPointF(0, base), made);
        painter.drawText(QPointF(width - headingMetrics.horizontalAdvance(page), base), page);
    }
    painter.end();
    return bytes;
}
