#pragma once

#include "printing/template.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace varnok::designer {

// Paper, orientation and margins of a page.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageSetupDialog(const report::Page &page, QWidget *parent = nullptr);

    // The page's setup as chosen (objects are not part of it).
    report::Page setup() const;

    QComboBox *paperBox() const { return m_paper; }
    QRadioButton *landscapeButton() const { return m_landscape; }
    QDoubleSpinBox *marginBox(int side) const {
        return m_margins[side];
    } // left, top, right, bottom

private:
    void paperChosen();

    QComboBox *m_paper;
    QDoubleSpinBox *m_width, *m_height;
    QRadioButton *m_portrait, *m_landscape;
    QDoubleSpinBox *m_margins[4];
};

} // namespace varnok::designer
