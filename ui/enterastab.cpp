#include "ui/enterastab.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace varnok {

EnterAsTab::EnterAsTab(QWidget *window) : QObject(window), m_window(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

EnterAsTab::~EnterAsTab() {
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field || field->window() != m_window)
        return false;
    const bool back = mods == Qt::ShiftModifier;
    QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                  back ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(field, &tab);
    return true;
}

} // namespace varnok
