#include "printing/designer/propertiespanel.h"

#include "printing/designer/colorbutton.h"
#include "printing/designer/designdocument.h"
#include "printing/designer/designedits.h"
#include "printing/designer/objectgeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnok::designer {

using report::LineObject;
using report::RectObject;
using report::ReportObject;
using report::TextObject;

namespace {

// Field numbers: each field merges its own repeated changes.
enum Field {
    FieldX,
    FieldY,
    FieldW,
    FieldH,
    FieldName,
    FieldFont,
    FieldSize,
    FieldBold,
    FieldItalic,
    FieldAlign,
    FieldVAlign,
    FieldWrap,
    FieldShrink,
    FieldTextColor,
    FieldFrame,
    FieldLineWidth = FieldFrame + 4,
    FieldLineColor,
    FieldFill,
};

struct GeometryField {
    const char16_t *name, *label, *undo;
};
const GeometryField kGeometry[4] = {
    {u"propX", u"X:", u"Vodorovná poloha"},
    {u"propY", u"Y:", u"Svislá poloha"},
    {u"propW", u"Šířka:", u"Šířka"},
    {u"propH", u"Výška:", u"Výška"},
};

struct FrameField {
    const char16_t *name, *label;
    bool report::Frame::*side;
};
const FrameField kFrame[4] = {
    {u"propFrameLeft", u"vlevo", &report::Frame::left},
    {u"propFrameTop", u"nahoře", &report::Frame::top},
    {u"propFrameRight", u"vpravo", &report::Frame::right},
    {u"propFrameBottom", u"dole", &report::Frame::bottom},
};

const QStringList kFamilies = {QStringLiteral("Tahoma"),          QStringLiteral("Arial"),
                               QStringLiteral("Helvetica"),       QStringLiteral("Verdana"),
                               QStringLiteral("Times New Roman"), QStringLiteral("Courier New")};

QDoubleSpinBox *spinBox(QWidget *parent, const QString &name, double min, double max,
                        const QString &suffix) {
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false); // a typed number applies on Enter or on leaving
    return box;
}

double coordinate(const QRectF &g, int index) {
    switch (index) {
    case 0:
        return g.x();
    case 1:
        return g.y();
    case 2:
        return g.width();
    default:
        return g.height();
    }
}

QRectF withCoordinate(QRectF g, int index, double v) {
    switch (index) {
    case 0:
        g.moveLeft(v);
        break;
    case 1:
        g.moveTop(v);
        break;
    case 2:
        g.setWidth(v);
        break;
    default:
        g.setHeight(v);
        break;
    }
    return g;
}

// The outline of any object (a text's frame, a rectangle's border, a
// line) and the fill of texts and rectangles, for reading and writing.
template <class Object> auto &outlineWidth(Object &o) {
    if (auto *t = std::get_if<TextObject>(&o))
        return t->frame.width;
    if (auto *r = std::get_if<RectObject>(&o))
        return r->lineWidth;
    return std::get<LineObject>(o).width;
}

template <class Object> auto &outlineColor(Object &o) {
    if (auto *t = std::get_if<TextObject>(&o))
        return t->frame.color;
    if (auto *r = std::get_if<RectObject>(&o))
        return r->lineColor;
    return std::get<LineObject>(o).color;
}

// Null for a line, which has no fill.
template <class Object> auto fillOf(Object &o) -> decltype(&std::get<TextObject>(o).fill) {
    if (auto *t = std::get_if<TextObject>(&o))
        return &t->fill;
    if (auto *r = std::get_if<RectObject>(&o))
        return &r->fill;
    return nullptr;
}

bool setFill(ReportObject &o, const QColor &c) {
    QColor *fill = fillOf(o);
    if (fill)
        *fill = c;
    return fill != nullptr;
}

} // namespace

PropertiesPanel::PropertiesPanel(DesignDocument &doc, QWidget *parent)
    : QWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("propertiesPanel"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("propTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    // Position and size.
    m_placeGroup = new QGroupBox(QStringLiteral("Umístění (mm)"), this);
    auto *place = new QFormLayout(m_placeGroup);
    m_name = new QLineEdit(m_placeGroup);
    m_name->setObjectName(QStringLiteral("propName"));
    place->addRow(QStringLiteral("Název:"), m_name);
    connect(m_name, &QLineEdit::editingFinished, this, [this] {
        const QString name = m_name->text().trimmed();
        if (!m_refreshing && m_doc.selection().size() == 1)
            apply(FieldName, QStringLiteral("Název"), [&](ReportObject &o) {
                setNameOf(o, name);
                return true;
            });
    });
    for (int i = 0; i < 4; ++i)
        place->addRow(QString::fromUtf16(kGeometry[i].label), addGeometryBox(i));

    // Texts.
    m_textGroup = new QGroupBox(QStringLiteral("Text"), this);
    auto *text = new QFormLayout(m_textGroup);
    m_editText = new QPushButton(QStringLiteral("Upravit text…"), m_textGroup);
    m_editText->setObjectName(QStringLiteral("propEditText"));
    m_editText->setAutoDefault(false);
    connect(m_editText, &QPushButton::clicked, this, [this] {
        if (!m_doc.selection().empty())
            emit editTextRequested(m_doc.selection().front());
    });
    text->addRow(m_editText);

    m_font = new QComboBox(m_textGroup);
    m_font->setObjectName(QStringLiteral("propFont"));
    m_font->setEditable(true);
    m_font->addItems(kFamilies);
    m_font->setInsertPolicy(QComboBox::NoInsert);
    text->addRow(QStringLiteral("Písmo:"), m_font);
    // A family applies when picked from the list or when typing it ends.
    auto applyFamily = [this] {
        const QString family = m_font->currentText().trimmed();
        if (!family.isEmpty())
            applyText(FieldFont, QStringLiteral("Písmo"),
                      [&](TextObject &t) { t.font.family = family; });
    };
    connect(m_font, &QComboBox::textActivated, this, applyFamily);
    connect(m_font->lineEdit(), &QLineEdit::editingFinished, this, applyFamily);

    m_fontSize =
        spinBox(m_textGroup, QStringLiteral("propFontSize"), 1, 200, QStringLiteral(" pt"));
    text->addRow(QStringLiteral("Velikost:"), m_fontSize);
    connect(m_fontSize, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        applyText(FieldSize, QStringLiteral("Velikost písma"),
                  [v](TextObject &t) { t.font.size = v; });
    });

    m_bold = new QCheckBox(QStringLiteral("Tučné"), m_textGroup);
    m_bold->setObjectName(QStringLiteral("propBold"));
    m_italic = new QCheckBox(QStringLiteral("Kurzíva"), m_textGroup);
    m_italic->setObjectName(QStringLiteral("propItalic"));
    auto *style = new QHBoxLayout;
    style->addWidget(m_bold);
    style->addWidget(m_italic);
    text->addRow(QStringLiteral("Řez:"), style);
    connect(m_bold, &QCheckBox::toggled, this, [this](bool on) {
        applyText(FieldBold, QStringLiteral("Tučné písmo"),
                  [on](TextObject &t) { t.font.bold = on; });
    });
    connect(m_italic, &QCheckBox::toggled, this, [this](bool on) {
        applyText(FieldItalic, QStringLiteral("Kurzíva"),
                  [on](TextObject &t) { t.font.italic = on; });
    });

    m_align = new QComboBox(m_textGroup);
    m_align->setObjectName(QStringLiteral("propAlign"));
    m_align->addItem(QStringLiteral("vlevo"), int(report::HAlign::Left));
    m_align->addItem(QStringLiteral("na střed"), int(report::HAlign::Center));
    m_align->addItem(QStringLiteral("vpravo"), int(report::HAlign::Right));
    m_align->addItem(QStringLiteral("do bloku"), int(report::HAlign::Justify));
    text->addRow(QStringLiteral("Vodorovně:"), m_align);
    connect(m_align, &QComboBox::currentIndexChanged, this, [this] {
        const auto a = report::HAlign(m_align->currentData().toInt());
        applyText(FieldAlign, QStringLiteral("Zarovnání"), [a](TextObject &t) { t.hAlign = a; });
    });

    m_vAlign = new QComboBox(m_textGroup);
    m_vAlign->setObjectName(QStringLiteral("propVAlign"));
    m_vAlign->addItem(QStringLiteral("nahoru"), int(report::VAlign::Top));
    m_vAlign->addItem(QStringLiteral("na střed"), int(report::VAlign::Center));
    m_vAlign->addItem(QStringLiteral("dolů"), int(report::VAlign::Bottom));
    text->addRow(QStringLiteral("Svisle:"), m_vAlign);
    connect(m_vAlign, &QComboBox::currentIndexChanged, this, [this] {
        const auto a = report::VAlign(m_vAlign->currentData().toInt());
        applyText(FieldVAlign, QStringLiteral("Svislé zarovnání"),
                  [a](TextObject &t) { t.vAlign = a; });
    });

    m_wrap = new QCheckBox(QStringLiteral("Zalamovat řádky"), m_textGroup);
    m_wrap->setObjectName(QStringLiteral("propWrap"));
    text->addRow(m_wrap);
    connect(m_wrap, &QCheckBox::toggled, this, [this](bool on) {
        applyText(FieldWrap, QStringLiteral("Zalamování"),
                  [on](TextObject &t) { t.wordWrap = on; });
    });
    m_shrink = new QCheckBox(QStringLiteral("Zmenšit písmo, aby se text vešel"), m_textGroup);
    m_shrink->setObjectName(QStringLiteral("propShrink"));
    text->addRow(m_shrink);
    connect(m_shrink, &QCheckBox::toggled, this, [this](bool on) {
        applyText(FieldShrink, QStringLiteral("Zmenšení písma"),
                  [on](TextObject &t) { t.shrinkToFit = on; });
    });

    m_textColor = new ColorButton(m_textGroup);
    m_textColor->setObjectName(QStringLiteral("propTextColor"));
    text->addRow(QStringLiteral("Barva textu:"), m_textColor);
    connect(m_textColor, &ColorButton::colorPicked, this, [this](const QColor &c) {
        applyText(FieldTextColor, QStringLiteral("Barva textu"),
                  [c](TextObject &t) { t.color = c; });
    });

    // Frame lines and fill.
    m_linesGroup = new QGroupBox(QStringLiteral("Čáry a výplň"), this);
    auto *lines = new QFormLayout(m_linesGroup);
    auto *sides = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_frame[i] = new QCheckBox(QString::fromUtf16(kFrame[i].label), m_linesGroup);
        m_frame[i]->setObjectName(QString::fromUtf16(kFrame[i].name));
        sides->addWidget(m_frame[i]);
        connect(m_frame[i], &QCheckBox::toggled, this, [this, i](bool on) {
            applyText(FieldFrame + i, QStringLiteral("Rámeček"),
                      [&](TextObject &t) { t.frame.*kFrame[i].side = on; });
        });
    }
    lines->addRow(QStringLiteral("Rámeček:"), sides);

    m_lineWidth =
        spinBox(m_linesGroup, QStringLiteral("propLineWidth"), 0, 20, QStringLiteral(" pt"));
    m_lineWidth->setSingleStep(0.25);
    lines->addRow(QStringLiteral("Tloušťka čáry:"), m_lineWidth);
    connect(m_lineWidth, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        apply(FieldLineWidth, QStringLiteral("Tloušťka čáry"), [v](ReportObject &o) {
            outlineWidth(o) = v;
            return true;
        });
    });

    m_lineColor = new ColorButton(m_linesGroup);
    m_lineColor->setObjectName(QStringLiteral("propLineColor"));
    lines->addRow(QStringLiteral("Barva čáry:"), m_lineColor);
    connect(m_lineColor, &ColorButton::colorPicked, this, [this](const QColor &c) {
        apply(FieldLineColor, QStringLiteral("Barva čáry"), [c](ReportObject &o) {
            outlineColor(o) = c;
            return true;
        });
    });

    m_fill = new QCheckBox(QStringLiteral("Výplň"), m_linesGroup);
    m_fill->setObjectName(QStringLiteral("propFill"));
    m_fillColor = new ColorButton(m_linesGroup);
    m_fillColor->setObjectName(QStringLiteral("propFillColor"));
    auto *fill = new QHBoxLayout;
    fill->addWidget(m_fill);
    fill->addWidget(m_fillColor);
    fill->addStretch(1);
    lines->addRow(QStringLiteral("Pozadí:"), fill);
    connect(m_fill, &QCheckBox::toggled, this, [this](bool on) {
        const QColor c =
            on ? (m_fillColor->color().isValid() ? m_fillColor->color() : QColor(Qt::white))
               : QColor();
        apply(FieldFill, QStringLiteral("Výplň"), [c](ReportObject &o) { return setFill(o, c); });
    });
    connect(m_fillColor, &ColorButton::colorPicked, this, [this](const QColor &c) {
        apply(FieldFill, QStringLiteral("Výplň"), [c](ReportObject &o) { return setFill(o, c); });
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_placeGroup);
    layout->addWidget(m_textGroup);
    layout->addWidget(m_linesGroup);
    layout->addStretch(1);

    connect(&m_doc, &DesignDocument::changed, this, &PropertiesPanel::refresh);
    connect(&m_doc, &DesignDocument::selectionChanged, this, &PropertiesPanel::refresh);
    refresh();
}

QDoubleSpinBox *PropertiesPanel::addGeometryBox(int index) {
    const GeometryField &f = kGeometry[index];
    auto *box =
        spinBox(m_placeGroup, QString::fromUtf16(f.name), -2000, 2000, QStringLiteral(" mm"));
    m_geometry[index] = box;
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, index](double v) {
        apply(FieldX + index, QString::fromUtf16(kGeometry[index].undo), [&](ReportObject &o) {
            // A box's size cannot go below zero; a line may point any way.
            const bool box = index >= 2 && !std::holds_alternative<LineObject>(o);
            setGeometryOf(o, withCoordinate(geometryOf(o), index, box ? qMax(0.0, v) : v));
            return true;
        });
    });
    return box;
}

void PropertiesPanel::apply(int field, const QString &text, const Edit &edit) {
    if (m_refreshing)
        return;
    editSelection(m_doc, text, edit, MergeProperty + field);
}

void PropertiesPanel::applyText(int field, const QString &text,
                                const std::function<void(TextObject &)> &edit) {
    apply(field, text, [&](ReportObject &o) {
        auto *t = std::get_if<TextObject>(&o);
        if (t)
            edit(*t);
        return t != nullptr;
    });
}

void PropertiesPanel::refresh() {
    m_refreshing = true;
    const auto &sel = m_doc.selection();
    const ReportObject *o = sel.empty() ? nullptr : m_doc.object(sel.front());
    if (!o) {
        m_title->setText(QStringLiteral("Nic není vybráno"));
    } else if (sel.size() == 1) {
        const QString name = nameOf(*o);
        m_title->setText(name.isEmpty() ? kindName(*o)
                                        : QStringLiteral("%1 (%2)").arg(name, kindName(*o)));
    } else {
        m_title->setText(QStringLiteral("Vybráno objektů: %1").arg(sel.size()));
    }
    const auto *t = o ? std::get_if<TextObject>(o) : nullptr;
    m_placeGroup->setEnabled(o);
    m_textGroup->setEnabled(t);
    m_linesGroup->setEnabled(o);
    m_name->setEnabled(sel.size() == 1);
    m_name->setText(o && sel.size() == 1 ? nameOf(*o) : QString());

    const QRectF g = o ? geometryOf(*o) : QRectF();
    for (int i = 0; i < 4; ++i)
        m_geometry[i]->setValue(coordinate(g, i));

    const TextObject shown = t ? *t : TextObject();
    m_font->setCurrentText(shown.font.family);
    m_fontSize->setValue(shown.font.size);
    m_bold->setChecked(shown.font.bold);
    m_italic->setChecked(shown.font.italic);
    m_align->setCurrentIndex(m_align->findData(int(shown.hAlign)));
    m_vAlign->setCurrentIndex(m_vAlign->findData(int(shown.vAlign)));
    m_wrap->setChecked(shown.wordWrap);
    m_shrink->setChecked(shown.shrinkToFit);
    m_textColor->setColor(shown.color);
    for (int i = 0; i < 4; ++i) {
        m_frame[i]->setChecked(shown.frame.*kFrame[i].side);
        m_frame[i]->setEnabled(t);
    }

    m_lineWidth->setValue(o ? outlineWidth(*o) : 0);
    m_lineColor->setColor(o ? outlineColor(*o) : QColor(Qt::black));
    const bool fills = o && !std::holds_alternative<LineObject>(*o);
    const QColor fillColor = o && fillOf(*o) ? *fillOf(*o) : QColor();
    m_fill->setEnabled(fills);
    m_fillColor->setEnabled(fills);
    m_fill->setChecked(fillColor.isValid());
    m_fillColor->setColor(fillColor);
    m_refreshing = false;
}

} // namespace varnok::designer
