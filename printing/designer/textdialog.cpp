#include "printing/designer/textdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varnok::designer {

namespace {

constexpr int kExpressionRole = Qt::UserRole;

QString editable(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QTreeWidgetItem *group(QTreeWidget *tree, const QString &title) {
    auto *item = new QTreeWidgetItem(tree, {title});
    QFont f = item->font(0);
    f.setBold(true);
    item->setFont(0, f);
    item->setFlags(Qt::ItemIsEnabled);
    item->setExpanded(true);
    item->setFirstColumnSpanned(true); // the title does not widen the name column
    return item;
}

void entry(QTreeWidgetItem *parent, const QString &label, const QString &expression,
           const QString &tip = QString()) {
    auto *item = new QTreeWidgetItem(parent, {label, tip});
    item->setData(0, kExpressionRole, expression);
    item->setToolTip(0, tip.isEmpty() ? expression : expression + u'\n' + tip);
}

} // namespace

QString variableExpression(const QString &name) {
    return u'[' + name + u']';
}

QString columnExpression(const QString &dataSet, const QString &column) {
    return QStringLiteral("[%1.\"%2\"]").arg(dataSet, column);
}

TextDialog::TextDialog(const QString &text, const ExpressionSources &sources, QWidget *parent)
    : QDialog(parent), m_original(text) {
    setObjectName(QStringLiteral("textDialog"));
    setWindowTitle(QStringLiteral("Text objektu"));

    m_edit = new QPlainTextEdit(editable(text), this);
    m_edit->setObjectName(QStringLiteral("textEdit"));
    m_edit->setTabChangesFocus(true);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("insertList"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("Název"), QStringLiteral("Hodnota")});
    m_tree->setRootIsDecorated(true);
    QTreeWidgetItem *vars = group(m_tree, QStringLiteral("Proměnné"));
    for (const report::Variable &v : sources.variables)
        entry(vars, v.name, variableExpression(v.name), v.value);
    QTreeWidgetItem *cols =
        group(m_tree, QStringLiteral("Datová sada %1").arg(sources.dataSetName));
    for (const QString &c : sources.columns)
        entry(cols, c, columnExpression(sources.dataSetName, c));
    QTreeWidgetItem *system = group(m_tree, QStringLiteral("Systémové"));
    entry(system, QStringLiteral("Date"), variableExpression(QStringLiteral("Date")),
          QStringLiteral("datum tisku"));
    entry(system, QStringLiteral("Time"), variableExpression(QStringLiteral("Time")),
          QStringLiteral("čas tisku"));
    entry(system, QStringLiteral("Page#"), variableExpression(QStringLiteral("Page#")),
          QStringLiteral("číslo stránky"));
    entry(system, QStringLiteral("TotalPages#"), variableExpression(QStringLiteral("TotalPages#")),
          QStringLiteral("počet stránek"));
    m_tree->resizeColumnToContents(0);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { insertItem(item); });

    auto *insert = new QPushButton(QStringLiteral("Vložit do textu"), this);
    insert->setObjectName(QStringLiteral("insertButton"));
    insert->setAutoDefault(false);
    connect(insert, &QPushButton::clicked, this, [this] { insertItem(m_tree->currentItem()); });

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(new QLabel(QStringLiteral("Dvojklikem vložíte výraz:"), right));
    rightLayout->addWidget(m_tree);
    rightLayout->addWidget(insert);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(
        new QLabel(QStringLiteral("Text; výrazy v hranatých závorkách, např. [txt_01] nebo "
                                  "[frxDBDataset1.\"ico\"]:"),
                   left));
    leftLayout->addWidget(m_edit);

    auto *split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addWidget(buttons);
    resize(860, 460);
    m_edit->setFocus();
}

void TextDialog::insertItem(QTreeWidgetItem *item) {
    if (!item)
        return;
    const QString expression = item->data(0, kExpressionRole).toString();
    if (expression.isEmpty())
        return;
    m_edit->insertPlainText(expression);
    m_edit->setFocus();
}

QString TextDialog::text() const {
    const QString edited = m_edit->toPlainText();
    if (edited == editable(m_original))
        return m_original; // untouched: keep the line breaks as they were
    QString out = edited;
    return out.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace varnok::designer
