#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace varnok::test {

// Runs f on the first modal window of type T as soon as it is up, so that
// a test can fill in a dialog that a call it makes next opens and waits
// for. f is expected to close it.
template <class T> void whenModal(std::function<void(T &)> f) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            f(*w);
        }
    });
    timer->start();
}

} // namespace varnok::test
