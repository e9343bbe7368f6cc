#include "ui/messagedialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <vector>

namespace varnok {

namespace {

// The dialogs inside ShowModal, innermost last.
std::vector<TMessageDialog *> &shown() {
    static std::vector<TMessageDialog *> dialogs;
    return dialogs;
}

QStyle::StandardPixmap pixmapOf(TMessageDialog::Icon icon) {
    switch (icon) {
    case TMessageDialog::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case TMessageDialog::Icon::Stop:
        return QStyle::SP_MessageBoxCritical;
    case TMessageDialog::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case TMessageDialog::Icon::Help:
    case TMessageDialog::Icon::None:
        break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

QPushButton *makeButton(QWidget *parent, const char *name) {
    auto *b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumWidth(75);
    return b;
}

} // namespace

TMessageDialog::TMessageDialog(QWidget *owner) : QDialog(owner) {
    setModal(true);
    // Follows the owner's font and style sheet like its other windows.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icon"));
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setWordWrap(false);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_button1 = makeButton(this, "button1");
    m_button2 = makeButton(this, "button2");
    connect(m_button1, &QPushButton::clicked, this, [this] { press(1); });
    connect(m_button2, &QPushButton::clicked, this, [this] { press(2); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button2);
    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(14, 14, 14, 12);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(14);
    grid->addWidget(m_icon, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
}

void TMessageDialog::rebuild() {
    setWindowTitle(Caption);
    m_text->setText(Text);
    if (IconType == Icon::None) {
        m_icon->clear();
        m_icon->hide();
    } else {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        m_icon->setPixmap(
            style()->standardIcon(pixmapOf(IconType), nullptr, this).pixmap(size, size));
        m_icon->show();
    }
    m_button1->setText(Button1Caption);
    m_button2->setText(Button2Caption);
    m_button2->setVisible(ButtonCount > 1);
    m_button1->setDefault(true);
    m_button1->setAutoDefault(true);
    m_button2->setAutoDefault(false);
    m_button1->setFocus();
}

int TMessageDialog::ShowModal() {
    rebuild();
    adjustSize();
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    m_result = 2;
    shown().push_back(this);
    struct Pop {
        ~Pop() { shown().pop_back(); }
    } pop;
    exec();
    return m_result;
}

TMessageDialog *TMessageDialog::active() {
    return shown().empty() ? nullptr : shown().back();
}

void TMessageDialog::press(int button) {
    m_result = button == 1 ? 1 : 2;
    done(m_result);
}

QPushButton *TMessageDialog::button(int n) const {
    return n == 1 ? m_button1 : m_button2;
}

QString TMessageDialog::shownText() const {
    return m_text->text();
}

} // namespace varnok
