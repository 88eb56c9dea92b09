#include "ui/UWidgets.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QValidator>

#include "common/UXmlDoc.h"

const QColor Window_Colour(248, 247, 237);
const QColor Hover_Colour(255, 255, 0);
const QColor Small_Hover_Colour(135, 206, 235);
const QColor Pressed_Colour(255, 128, 0);

QFont Window_Font()
{
    // The family list lets the font matcher fall back without a costly
    // look-up of every installed family at start.
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(11);
    return font;
}

void Apply_Look(QWidget *window)
{
    window->setFont(Window_Font());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Window_Colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void Center_On_Screen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void Set_Fixed_Client_Size(QWidget *window, int width, int height)
{
    window->setFixedSize(width, height);
}

void Set_Dialog_Flags(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

TImageButton::TImageButton(const QString &objectName, const QString &icon, QWidget *parent,
                           bool small)
    : QAbstractButton(parent), m_small(small)
{
    setObjectName(objectName);
    if (!icon.isEmpty())
        m_icon = Program_Icon(icon);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    Update_Accessible_Name();
}

void TImageButton::Set_Caption(const QString &caption)
{
    setText(caption);
    Update_Accessible_Name();
    update();
}

void TImageButton::Set_Hint(const QString &hint)
{
    m_hint = hint;
    ::Set_Hint(this, hint);
    setAccessibleDescription(hint);
    Update_Accessible_Name();
}

void TImageButton::Update_Accessible_Name()
{
    // Icon-only buttons are announced by their hint.
    setAccessibleName(text().trimmed().isEmpty() ? m_hint : text());
}

QColor TImageButton::Face_Colour() const
{
    if (isDown())
        return Pressed_Colour;
    if (m_hover && isEnabled())
        return m_small ? Small_Hover_Colour : Hover_Colour;
    return Window_Colour;
}

QSize TImageButton::sizeHint() const
{
    return m_small ? QSize(11, 11) : QSize(112, 28);
}

int TImageButton::Fitting_Width(int least) const
{
    return qMax(least, fontMetrics().horizontalAdvance(text()) + height() + 16);
}

int TImageButton::Icon_Side() const
{
    const QRect area = rect();
    return m_small ? qMin(area.width(), area.height())
                   : qMin(area.height() - 6, text().isEmpty() ? area.width() - 6 : 24);
}

void TImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect();
    painter.fillRect(area, Face_Colour());
    if (!m_small) {
        painter.setPen(QColor(192, 192, 192));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    const bool hasCaption = !text().isEmpty();
    const int side = Icon_Side();
    QRect iconRect;
    if (!m_icon.isNull()) {
        if (hasCaption)
            iconRect = QRect(area.left() + 4, area.top() + (area.height() - side) / 2, side, side);
        else
            iconRect = QRect(area.left() + (area.width() - side) / 2,
                             area.top() + (area.height() - side) / 2, side, side);
        m_icon.paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }
    if (hasCaption) {
        painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText)
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.setFont(font());
        QRect textRect = area.adjusted(iconRect.isNull() ? 4 : iconRect.right() + 4, 0, -4, 0);
        painter.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TImageButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TImageButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void Style_Code_Label(QLabel *label)
{
    QFont font = label->font();
    font.setPixelSize(32);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::gray);
    label->setPalette(palette);
}

void Style_Bold_Grey_Label(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::gray);
    label->setPalette(palette);
}

QLabel *Create_Label(QWidget *parent, const QString &objectName, int left, int top)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    return label;
}

TTitleBand Create_Title_Band(QWidget *parent, int width)
{
    TTitleBand band;
    band.P_Title = new QWidget(parent);
    band.P_Title->setObjectName(QStringLiteral("P_Title"));
    band.P_Title->setGeometry(0, 0, width, 69);
    band.L_SW_Code = Create_Label(band.P_Title, QStringLiteral("L_SW_Code"), 16, 8);
    Style_Code_Label(band.L_SW_Code);
    band.L_SW_Desc = Create_Label(band.P_Title, QStringLiteral("L_SW_Desc"), 16, 42);
    Style_Bold_Grey_Label(band.L_SW_Desc);
    return band;
}

void Set_Label_Text(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

void Set_Caption(QLabel *label, QWidget *control, const QString &caption, const QString &hint)
{
    Set_Label_Text(label, caption);
    Set_Hint(control, hint);
    control->setAccessibleName(caption);
    control->setAccessibleDescription(hint);
}

void Pair_Labels(QWidget *window, const QList<QPair<QString, QString>> &labelToControl)
{
    for (const auto &pair : labelToControl) {
        auto *label = window->findChild<QLabel *>(pair.first);
        auto *control = window->findChild<QWidget *>(pair.second);
        if (label && control)
            label->setBuddy(control);
    }
}

QString Literal_Hint(const QString &hint)
{
    // Tooltips have no plain-text mode: a hint that would pass for markup is
    // handed over as markup that shows it literally.
    if (Qt::mightBeRichText(hint))
        return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(hint.toHtmlEscaped());
    return hint;
}

void Set_Hint(QWidget *control, const QString &hint)
{
    control->setToolTip(Literal_Hint(hint));
}

namespace {
class TStorable_Text_Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return First_Unstorable_Character(input) < 0 ? Acceptable : Invalid;
    }
};
} // namespace

void Accept_Only_Storable_Text(QLineEdit *edit)
{
    edit->setValidator(new TStorable_Text_Validator(edit));
}

void Set_Text_Colour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void Set_Fitted_Text(QLabel *label, const QString &text, Qt::TextElideMode mode)
{
    const QString shown = label->fontMetrics().elidedText(text, mode, label->width());
    label->setText(shown);
    Set_Hint(label, shown == text ? QString() : text);
    label->setAccessibleName(text);
}
