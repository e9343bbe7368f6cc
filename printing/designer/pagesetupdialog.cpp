#include "printing/designer/pagesetupdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnok::designer {

namespace {

const QString kCustom = QStringLiteral("custom");

QDoubleSpinBox *lengthBox(QWidget *parent, double max, const QString &name) {
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, max);
    box->setDecimals(1);
    box->setSingleStep(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

PageSetupDialog::PageSetupDialog(const report::Page &page, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("pageSetupDialog"));
    setWindowTitle(QStringLiteral("Vzhled stránky"));

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    const std::pair<const char16_t *, const char16_t *> papers[] = {
        {u"A4", u"A4 (210 × 297 mm)"},       {u"A5", u"A5 (148 × 210 mm)"},
        {u"A3", u"A3 (297 × 420 mm)"},       {u"Letter", u"Letter (216 × 279 mm)"},
        {u"Legal", u"Legal (216 × 356 mm)"}, {u"custom", u"Vlastní rozměr"},
    };
    for (const auto &[key, label] : papers)
        m_paper->addItem(QString::fromUtf16(label), QString::fromUtf16(key));
    int index = m_paper->findData(page.paper, Qt::UserRole, Qt::MatchFixedString);
    m_paper->setCurrentIndex(index >= 0 ? index : m_paper->findData(kCustom));

    m_width = lengthBox(this, 2000, QStringLiteral("paperWidth"));
    m_height = lengthBox(this, 2000, QStringLiteral("paperHeight"));
    m_width->setValue(page.size.width());
    m_height->setValue(page.size.height());

    m_portrait = new QRadioButton(QStringLiteral("Na výšku"), this);
    m_landscape = new QRadioButton(QStringLiteral("Na šířku"), this);
    m_portrait->setObjectName(QStringLiteral("portrait"));
    m_landscape->setObjectName(QStringLiteral("landscape"));
    (page.orientation == report::Orientation::Portrait ? m_portrait : m_landscape)
        ->setChecked(true);

    auto *paperGroup = new QGroupBox(QStringLiteral("Papír"), this);
    auto *paperForm = new QFormLayout(paperGroup);
    paperForm->addRow(QStringLiteral("Formát:"), m_paper);
    paperForm->addRow(QStringLiteral("Šířka:"), m_width);
    paperForm->addRow(QStringLiteral("Výška:"), m_height);
    auto *orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    paperForm->addRow(QStringLiteral("Orientace:"), orientation);

    auto *marginGroup = new QGroupBox(QStringLiteral("Okraje"), this);
    auto *marginForm = new QFormLayout(marginGroup);
    const double values[4] = {page.margins.left, page.margins.top, page.margins.right,
                              page.margins.bottom};
    const char16_t *labels[4] = {u"Vlevo:", u"Nahoře:", u"Vpravo:", u"Dole:"};
    const char16_t *names[4] = {u"marginLeft", u"marginTop", u"marginRight", u"marginBottom"};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = lengthBox(this, 500, QString::fromUtf16(names[i]));
        m_margins[i]->setValue(values[i]);
        marginForm->addRow(QString::fromUtf16(labels[i]), m_margins[i]);
    }

    connect(m_paper, &QComboBox::currentIndexChanged, this, &PageSetupDialog::paperChosen);
    paperChosen();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(paperGroup);
    layout->addWidget(marginGroup);
    layout->addWidget(buttons);
}

void PageSetupDialog::paperChosen() {
    const QString key = m_paper->currentData().toString();
    const bool custom = key == kCustom;
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
    const QSizeF size = report::paperSize(key);
    if (size.isValid()) {
        m_width->setValue(size.width());
        m_height->setValue(size.height());
    }
}

report::Page PageSetupDialog::setup() const {
    report::Page p;
    p.paper = m_paper->currentData().toString();
    p.size = QSizeF(m_width->value(), m_height->value());
    p.orientation =
        m_landscape->isChecked() ? report::Orientation::Landscape : report::Orientation::Portrait;
    p.margins = {m_margins[0]->value(), m_margins[1]->value(), m_margins[2]->value(),
                 m_margins[3]->value()};
    return p;
}

} // namespace varnok::designer
