#pragma once

#include <QApplication>

namespace varnok {

// The application object: Czech texts in Qt's own dialogs, the window font,
// and the last line of defence for errors: whatever escapes an event
// handler is shown in the error box and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace varnok
