#include "ui/style.h"

namespace varnok {

QFont windowFont() {
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Liberation Sans"),
                                                              QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString windowStyleSheet() {
    const QString caption = look::kCaption.name();
    const QString background = look::kBackground.name();
    const QString title = look::kTitle.name();
    return QStringLiteral(R"(
QWidget#Form1, QWidget#suiImagePanel1, QTabWidget > QWidget, QScrollArea, QScrollArea > QWidget > QWidget,
QDialog {
    background: %2;
}
QLabel {
    color: %1;
    background: %2;
}
QLabel[band="true"] {
    background: white;
}
QLabel[header="true"] {
    background: transparent;
    font-size: 7pt;
}
QFrame#rowBand {
    background: white;
    border: none;
}
QGroupBox {
    color: %1;
    font-weight: bold;
    border: 1px solid #7f9db9;
    border-radius: 3px;
    margin-top: 8px;
    padding-top: 4px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 8px;
    padding: 0 2px;
    background: %2;
}
QLineEdit, QPlainTextEdit {
    background: white;
    color: black;
    border: 1px solid #7f9db9;
    padding: 0 2px;
    selection-background-color: #316ac5;
    selection-color: white;
}
QLineEdit[fieldReadOnly="true"] {
    background: #eef1fb;
    color: #202020;
}
QLineEdit:focus, QPlainTextEdit:focus {
    border: 1px solid %1;
}
QLabel#suiImagePanel2 {
    color: %3;
    background: transparent;
    font-weight: bold;
    font-size: 13px;
}
QCheckBox {
    color: %1;
}
QPushButton {
    color: %1;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #c9d5f5);
    border: 1px solid #6f86c0;
    border-radius: 3px;
    padding: 2px 10px;
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e3eafc);
}
QPushButton:pressed {
    background: #b4c4ee;
}
QPushButton:focus, QPushButton:default {
    border: 1px solid %1;
}
)")
        .arg(caption, background, title);
}

} // namespace varnok
