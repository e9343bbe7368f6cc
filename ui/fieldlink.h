#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace varnok {

class ZField;
class ZQuery;

// The binding of one field control to one column of the open row (the
// data source of the control). It tells the control when to show the
// column afresh, puts the row into editing when the user types, and
// stores the control's text when the control is left.
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject *parent = nullptr);

    void setDataSource(ZQuery *query);
    ZQuery *dataSource() const;
    void setDataField(const QString &column);
    const QString &dataField() const { return m_column; }
    void setReadOnly(bool readOnly);
    bool readOnly() const { return m_readOnly; }

    // The bound column of the open row; nullptr while no row is open or
    // the row has no such column.
    ZField *field() const;
    bool active() const;
    bool isNumeric() const;
    // The user may change the text: the control is not read-only and a
    // row is open.
    bool canModify() const;
    // The column's value as the control shows it ("" for NULL or no row).
    QString text() const;

    // The control's text differs from the column: set by the control when
    // the user changes it, cleared whenever the column is shown afresh.
    bool modified() const { return m_modified; }
    // The user changed the text: the row goes into editing.
    void userEdited();
    // Stores the text into the column when the user changed it (an empty
    // text stores NULL). On failure the error is shown in the error box,
    // the row keeps its value, the focus goes back to the control and
    // false is returned.
    bool commit(const QString &text, QWidget *control);
    // Forgets the user's change (Esc): the control shows the column again.
    void reset();

signals:
    // The control must show the column afresh (text and read-only state).
    void refresh();

private:
    void columnWritten(int index);
    void datasetReset();
    void keepFocus(QWidget *control);

    QPointer<ZQuery> m_query; // the window may delete it before its controls
    QString m_column;
    bool m_readOnly = false;
    bool m_modified = false;
    bool m_startingEdit = false;
    bool m_keepingFocus = false;
};

} // namespace varnok
