#include "QMWidgets/widgets/ColorWidgetPopup.h"

#include <QGridLayout>
#include <QPixmap>
#include <QPushButton>

namespace QMWidgets {

namespace {
constexpr int Rows = 6;
constexpr int Columns = 8;
constexpr int ButtonSide = 20;

// Grey ramp in the first column, hues across each row.
const QRgb cells[Rows][Columns] = {
    {qRgb(255, 255, 255), qRgb(255, 192, 192), qRgb(255, 224, 192), qRgb(255, 255, 192),
     qRgb(192, 255, 192), qRgb(192, 255, 255), qRgb(192, 192, 255), qRgb(255, 192, 255)},
    {qRgb(224, 224, 224), qRgb(255, 128, 128), qRgb(255, 192, 128), qRgb(255, 255, 128),
     qRgb(128, 255, 128), qRgb(128, 255, 255), qRgb(128, 128, 255), qRgb(255, 128, 255)},
    {qRgb(192, 192, 192), qRgb(255, 0, 0), qRgb(255, 128, 0), qRgb(255, 255, 0),
     qRgb(0, 255, 0), qRgb(0, 255, 255), qRgb(0, 0, 255), qRgb(255, 0, 255)},
    {qRgb(128, 128, 128), qRgb(192, 0, 0), qRgb(192, 64, 0), qRgb(192, 192, 0),
     qRgb(0, 192, 0), qRgb(0, 192, 192), qRgb(0, 0, 192), qRgb(192, 0, 192)},
    {qRgb(64, 64, 64), qRgb(128, 0, 0), qRgb(128, 64, 0), qRgb(128, 128, 0),
     qRgb(0, 128, 0), qRgb(0, 128, 128), qRgb(0, 0, 128), qRgb(128, 0, 128)},
    {qRgb(0, 0, 0), qRgb(64, 0, 0), qRgb(128, 64, 64), qRgb(64, 64, 0),
     qRgb(0, 64, 0), qRgb(0, 64, 64), qRgb(0, 0, 64), qRgb(64, 0, 64)},
};
}

ColorWidgetPopup::ColorWidgetPopup(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setWindowFlags(Qt::Popup);
    setObjectName(QStringLiteral("ColorWidgetPopup"));
    setMinimumSize(30, 15);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(2);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            QPixmap swatch(ButtonSide, ButtonSide);
            swatch.fill(QColor(cells[row][column]));
            auto *button = new QPushButton;
            button->setFixedSize(ButtonSide, ButtonSide);
            button->setIcon(QIcon(swatch));
            button->setFlat(true);
            connect(button, SIGNAL(clicked()), this, SLOT(slotColorChanged()));
            grid->addWidget(button, row, column);
        }
    }
    setLayout(grid);
}

bool ColorWidgetPopup::isMouseOver() const
{
    return m_mouseOver;
}

void ColorWidgetPopup::slotColorChanged()
{
    // The button's colour lives only in its icon.
    QImage image;
    if (auto *button = qobject_cast<QPushButton *>(sender()))
        image = button->icon().pixmap(ButtonSide, ButtonSide, QIcon::Normal, QIcon::Off).toImage();
    // Closed before the colour goes out: an owner may delete the popup on it.
    m_mouseOver = false;
    hide();
    if (!image.isNull())
        emit colorChanged(QColor(image.pixel(0, 0)));
}

void ColorWidgetPopup::enterEvent(QEvent *event)
{
    m_mouseOver = true;
    QWidget::enterEvent(event);
}

void ColorWidgetPopup::leaveEvent(QEvent *event)
{
    m_mouseOver = false;
    hide();
    QWidget::leaveEvent(event);
}

} // namespace QMWidgets
