#pragma once

#include <QColor>
#include <QToolButton>

namespace varnok::designer {

// A button showing a colour; a click picks another in the colour dialog.
class ColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color); // no signal

signals:
    void colorPicked(const QColor &color);

private:
    void pick();
    QColor m_color = Qt::black;
};

} // namespace varnok::designer
