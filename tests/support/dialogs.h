#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace varnok::test {

// Answers the program's message dialogs as they appear: the n-th dialog
// shown gets the n-th answer (1 or 2). Dialogs beyond the list are
// answered with 2 and recorded as unexpected. The texts of all dialogs
// shown are kept, in order.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(QList<int> answers);
    ~DialogAnswerer() override;

    QStringList texts; // text of every dialog shown
    QStringList captions;
    int unexpected = 0;

private:
    void poll();
    QList<int> m_answers;
    QTimer m_timer;
};

} // namespace varnok::test
