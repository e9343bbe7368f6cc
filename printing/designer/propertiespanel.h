#pragma once

#include "printing/template.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varnok::designer {

class ColorButton;
class DesignDocument;

// The properties of the selected objects: position and size, the font and
// alignment of texts, frame lines and fill. It shows the first selected
// object; a change applies to every selected object it fits, as one undo
// step (repeated changes of one field merge into it).
class PropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertiesPanel(DesignDocument &doc, QWidget *parent = nullptr);

    void refresh();

signals:
    void editTextRequested(int index);

private:
    using Edit = std::function<bool(report::ReportObject &)>;
    void apply(int field, const QString &text, const Edit &edit);
    void applyText(int field, const QString &text,
                   const std::function<void(report::TextObject &)> &edit);
    QDoubleSpinBox *addGeometryBox(int index);

    DesignDocument &m_doc;
    QLabel *m_title;
    QLineEdit *m_name;
    QGroupBox *m_placeGroup, *m_textGroup, *m_linesGroup;
    QDoubleSpinBox *m_geometry[4];
    QComboBox *m_font;
    QDoubleSpinBox *m_fontSize;
    QCheckBox *m_bold, *m_italic, *m_wrap, *m_shrink;
    QComboBox *m_align, *m_vAlign;
    ColorButton *m_textColor;
    QPushButton *m_editText;
    QCheckBox *m_frame[4];
    QDoubleSpinBox *m_lineWidth;
    ColorButton *m_lineColor;
    QCheckBox *m_fill;
    ColorButton *m_fillColor;
    bool m_refreshing = false;
};

} // namespace varnok::designer
