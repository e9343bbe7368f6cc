#pragma once

#include <QObject>

class QWidget;

namespace varnok {

// Enter as Tab (JvEnterAsTab1): Enter or Return in a single-line field of
// the window moves the focus to the next control in the tab order, as Tab
// would; with Shift to the previous one. Controls that take Enter
// themselves (the memos) keep it. Installed on the application, it acts
// on the one window it was made for.
class EnterAsTab : public QObject {
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget *window);
    ~EnterAsTab() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};

} // namespace varnok
