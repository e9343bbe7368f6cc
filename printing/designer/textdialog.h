#pragma once

#include "printing/template.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace varnok::designer {

// What a text object's content may insert: the report's variables, the
// dataset's columns and the engine's own names.
struct ExpressionSources {
    std::vector<report::Variable> variables; // with their current values
    QString dataSetName = QStringLiteral("frxDBDataset1");
    QStringList columns;
};

// The expression that shows a variable or a built-in name: [txt_01].
QString variableExpression(const QString &name);
// The expression that shows a column: [frxDBDataset1."ico"].
QString columnExpression(const QString &dataSet, const QString &column);

// Edits a text object's content: literal text with expressions in square
// brackets; a double click in the list inserts one at the cursor.
class TextDialog : public QDialog {
    Q_OBJECT
public:
    TextDialog(const QString &text, const ExpressionSources &sources, QWidget *parent = nullptr);

    // Line breaks as the template keeps them (CR LF).
    QString text() const;
    QPlainTextEdit *editor() const { return m_edit; }
    QTreeWidget *insertList() const { return m_tree; }

    // Inserts the expression of a list entry at the cursor.
    void insertItem(QTreeWidgetItem *item);

private:
    QString m_original;
    QPlainTextEdit *m_edit;
    QTreeWidget *m_tree;
};

} // namespace varnok::designer
