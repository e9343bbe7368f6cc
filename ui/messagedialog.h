#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QHBoxLayout;

namespace varnok {

// The skinned message box of the window (pozor, ulozit, opravdu and the
// boxes made at run time): caption, text, icon, one or two buttons.
// ShowModal returns 1 for button 1 and 2 for button 2, Esc or closing.
class TMessageDialog : public QDialog {
    Q_OBJECT
public:
    enum class Icon { None, Warning, Stop, Information, Help };

    explicit TMessageDialog(QWidget *owner = nullptr);

    QString Caption;
    QString Text;
    int ButtonCount = 2;
    QString Button1Caption = QStringLiteral("OK");
    QString Button2Caption = QStringLiteral("Cancel");
    Icon IconType = Icon::None;

    int ShowModal();

    // For tests and scripts: the message dialog that is shown modally now,
    // or nullptr.
    static TMessageDialog *active();
    // Presses button 1 or 2 of the shown dialog (as a click would).
    void press(int button);
    QPushButton *button(int n) const;
    QString shownText() const;

private:
    void rebuild();
    QLabel *m_icon = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    int m_result = 2;
};

} // namespace varnok
