#include "ui/edgeanchors.h"

#include <QEvent>
#include <QWidget>

namespace varnok {

EdgeAnchors::EdgeAnchors(QWidget *container) : QObject(container), m_container(container) {
    container->installEventFilter(this);
}

void EdgeAnchors::keepRight(QWidget *child, int distance) {
    m_anchors.push_back({child, distance, false});
    apply();
}

void EdgeAnchors::stretchRight(QWidget *child, int distance) {
    m_anchors.push_back({child, distance, true});
    apply();
}

void EdgeAnchors::apply() {
    const int right = m_container->width();
    for (const Anchor &a : m_anchors) {
        QRect r = a.child->geometry();
        if (a.stretch)
            r.setWidth(qMax(0, right - a.distance - r.x()));
        else
            r.moveLeft(right - a.distance - r.width());
        a.child->setGeometry(r);
    }
}

bool EdgeAnchors::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_container && event->type() == QEvent::Resize)
        apply();
    return false;
}

} // namespace varnok
