#include "printing/designer/colorbutton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace varnok::designer {

ColorButton::ColorButton(QWidget *parent) : QToolButton(parent) {
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(28, 14));
    connect(this, &QToolButton::clicked, this, &ColorButton::pick);
    setColor(m_color);
}

void ColorButton::setColor(const QColor &color) {
    m_color = color;
    QPixmap swatch(iconSize());
    swatch.fill(color.isValid() ? color : QColor(Qt::white));
    QPainter p(&swatch);
    p.setPen(Qt::darkGray);
    p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    setIcon(QIcon(swatch));
    setText(color.isValid() ? color.name() : QStringLiteral("—"));
}

void ColorButton::pick() {
    const QColor c = QColorDialog::getColor(m_color.isValid() ? m_color : QColor(Qt::white), this,
                                            QStringLiteral("Barva"));
    if (!c.isValid())
        return;
    setColor(c);
    emit colorPicked(c);
}

} // namespace varnok::designer
