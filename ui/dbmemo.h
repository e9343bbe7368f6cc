#pragma once

#include "ui/fieldlink.h"

#include <QPlainTextEdit>

namespace varnok {

class ZQuery;

// Multi-line plain-text memo bound to one column of the open row
// (TDBMemo). Enter starts a new line; Tab moves on. The text is stored
// into the column when the memo is left, as in TDBEdit.
class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget *parent = nullptr);

    void setDataSource(ZQuery *query) { m_link.setDataSource(query); }
    ZQuery *dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString &column) { m_link.setDataField(column); }
    QString dataField() const { return m_link.dataField(); }
    void setFieldReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }
    bool isFieldReadOnly() const { return m_link.readOnly(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void textTyped();

    FieldLink m_link;
    bool m_showing = false;
};

} // namespace varnok
