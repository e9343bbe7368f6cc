#include "tests/support/dialogs.h"

#include "ui/messagedialog.h"

namespace varnok::test {

DialogAnswerer::DialogAnswerer(QList<int> answers) : m_answers(std::move(answers)) {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::poll);
    m_timer.start();
}

DialogAnswerer::~DialogAnswerer() {
    m_timer.stop();
}

void DialogAnswerer::poll() {
    TMessageDialog *d = TMessageDialog::active();
    if (!d || !d->isVisible())
        return;
    texts << d->shownText();
    captions << d->windowTitle();
    int answer = 2;
    if (!m_answers.isEmpty())
        answer = m_answers.takeFirst();
    else
        ++unexpected;
    d->press(answer);
}

} // namespace varnok::test
