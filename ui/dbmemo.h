#pragma once

#include "ui/boundcontrol.h"

#include <QPlainTextEdit>

namespace varnok {

// Multi-line plain-text memo bound to one column of the open row
// (TDBMemo). Enter starts a new line; Tab moves on. The text is stored
// into the column when the memo is left, as in TDBEdit.
class TDBMemo : public BoundControl<QPlainTextEdit> {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void textTyped();

    bool m_showing = false;
};

} // namespace varnok
