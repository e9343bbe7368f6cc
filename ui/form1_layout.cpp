// The main window's widgets, built from the page tables, and the wiring of
// every event to its handler.
//
// Creation order. Components are created as the window description lists
// them: the page control, then page by page each page followed by its
// contents, each container before what it holds (group box, column
// headers, the grid's rows top-down, the rows below the grid, the totals
// row); the bottom panel and the dialogs come last. The caption walk
// follows this order and stops at the first caption number beyond the
// caption file, so with 87 lines it stops at Label69 (the last sales row,
// caption 88): the sales totals label and the production and credit pages
// keep their placeholders.
#include "ui/form1.h"

#include "ui/dbdateedit.h"
#include "ui/dbedit.h"
#include "ui/dbmemo.h"
#include "ui/edgeanchors.h"
#include "ui/enterastab.h"
#include "ui/guard.h"
#include "ui/messagedialog.h"
#include "ui/pagetables.h"
#include "ui/style.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varnok {

namespace {

using pages::Field;
using pages::Grid;

const QString kTitle = QStringLiteral("Varnok05 - evidence a revize nároku kreditu");
const QString kDialogCaption = QStringLiteral("Varnok05 - kredity");
constexpr int kClientWidth = 636, kClientHeight = 437;
constexpr int kBottomPanelHeight = 82;
constexpr int kHeaderHeight = 28; // column headers above a grid
constexpr int kTotalsHeight = 23; // totals row below a grid
constexpr int kButtonWidth = 80, kButtonHeight = 27, kButtonGap = 6, kButtonsRight = 25;

// Creates the widgets of one window and records the captioned ones.
class Builder {
public:
    Builder(TForm1 *form, std::vector<TForm1::Captioned> &captioned)
        : m_form(form), m_captioned(captioned) {}

    QLabel *label(QWidget *parent, const pages::Label &l, const QRect &geometry,
                  bool onBand = false) {
        auto *w = new QLabel(l.tag == pages::kDateLabel.tag
                                 ? QStringLiteral("Datum přiznání žádosti o kredit")
                                 : QStringLiteral("Label1"),
                             parent);
        w->setObjectName(QString::fromLatin1(l.name));
        w->setGeometry(geometry);
        w->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (onBand)
            w->setProperty("band", true);
        captioned(w, l.tag);
        return w;
    }

    TDBEdit *field(QWidget *parent, const Field &f, int x, int y) {
        const bool date = f.name == pages::kDateField.name;
        TDBEdit *edit = date ? new TDBDateEdit(parent) : new TDBEdit(parent);
        edit->setObjectName(f.name);
        edit->setGeometry(x, y, f.width, date ? pages::kDateHeight : pages::kFieldHeight);
        edit->setDataSource(m_form->ZQuery1);
        edit->setDataField(f.column);
        edit->setFieldReadOnly(f.flags & pages::ReadOnly);
        edit->setProperty("fieldReadOnly", bool(f.flags & pages::ReadOnly));
        edit->setTabStop(!(f.flags & pages::NoTabStop));
        return edit;
    }

    QGroupBox *group(QWidget *parent, const char *name, int tag, const QString &placeholder) {
        auto *g = new QGroupBox(placeholder, parent);
        g->setObjectName(QString::fromLatin1(name));
        captioned(g, tag);
        return g;
    }

    QWidget *page(QTabWidget *control, const char *name, int tag) {
        auto *p = new QWidget;
        p->setObjectName(QString::fromLatin1(name));
        control->addTab(p, p->objectName());
        captioned(p, tag);
        return p;
    }

    // A group box filling its page, holding column headers, the grid in
    // its scroll box and the totals row. Returns the scroll box's content.
    QWidget *grid(QWidget *page, const Grid &g) {
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        QGroupBox *box = group(page, g.group, g.groupTag, g.groupPlaceholder);
        pageLayout->addWidget(box);
        auto *boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(6, 2, 6, 6);
        boxLayout->setSpacing(2);

        auto *headers = new QWidget(box);
        headers->setFixedHeight(kHeaderHeight);
        for (const pages::GridColumn &c : g.columns) {
            if (!c.header.name)
                continue;
            // Right-aligned to the column's right edge and no wider than
            // the column: a long caption wraps onto a second line.
            QLabel *h = label(headers, c.header, QRect(c.x, 0, c.width, kHeaderHeight));
            h->setAlignment(Qt::AlignRight | Qt::AlignBottom);
            h->setWordWrap(true);
            h->setProperty("header", true);
        }
        boxLayout->addWidget(headers);

        auto *scroll = new QScrollArea(box);
        scroll->setObjectName(QString::fromLatin1(g.scrollBox));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (g.scrollStep > 0)
            scroll->verticalScrollBar()->setSingleStep(g.scrollStep);
        auto *content = new QWidget;
        content->setObjectName(QString::fromLatin1(g.scrollBox) + QStringLiteral("Content"));
        const int firstColumn = g.columns.front().x;
        int y = 0;
        for (size_t r = 0; r < g.rows.size(); ++r, y += pages::kRowPitch) {
            const bool odd = r % 2 == 0; // rows count from 1
            if (odd) {
                auto *band = new QFrame(content);
                band->setObjectName(QStringLiteral("rowBand"));
                band->setGeometry(0, y, pages::kBandWidth, pages::kBandHeight);
            }
            const pages::GridRow &row = g.rows[r];
            label(content, row.label,
                  QRect(pages::kGridLabelX, y + 2, firstColumn - pages::kGridLabelX - 4,
                        pages::kFieldHeight),
                  odd);
            for (size_t c = 0; c < row.cells.size(); ++c)
                if (!row.cells[c].name.isEmpty())
                    field(content, row.cells[c], g.columns[c].x, y + 2);
        }
        scroll->setWidget(content);
        content->resize(pages::kBandWidth + 4, y);
        boxLayout->addWidget(scroll, 1);

        if (g.totalsLabel.name) {
            auto *totals = new QWidget(box);
            totals->setFixedHeight(kTotalsHeight);
            label(totals, g.totalsLabel,
                  QRect(pages::kGridLabelX, 2, firstColumn - pages::kGridLabelX - 4,
                        pages::kFieldHeight));
            for (size_t c = 0; c < g.totals.size(); ++c)
                if (!g.totals[c].name.isEmpty())
                    field(totals, g.totals[c], g.columns[c].x, 2);
            boxLayout->addWidget(totals);
        }
        return content;
    }

    // Below the last row of the credit grid (in its scroll box): two notes
    // and the date of granting.
    void creditNotes(QWidget *content) {
        int y = content->height() + 3;
        for (const pages::Note &n : pages::creditNotes()) {
            label(content, n.label,
                  QRect(pages::kGridLabelX, y, pages::kMemoWidth - pages::kGridLabelX, 16));
            y += 16;
            auto *memo = new TDBMemo(content);
            memo->setObjectName(n.memo);
            memo->setGeometry(0, y, pages::kMemoWidth, pages::kMemoHeight);
            memo->setDataSource(m_form->ZQuery1);
            memo->setDataField(n.column);
            y += pages::kMemoHeight + 4;
        }
        y += 2;
        const Field &date = pages::kDateField;
        label(content, pages::kDateLabel, QRect(pages::kGridLabelX, y, 300, pages::kDateHeight));
        auto *edit =
            static_cast<TDBDateEdit *>(field(content, date, pages::kBandWidth - date.width, y));
        edit->setDialogTitle(QStringLiteral("Datum přiznání kreditu"));
        content->resize(content->width(), y + pages::kDateHeight + 4);
    }

    void companyPage(QWidget *page) {
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        pageLayout->setSpacing(4);
        for (const pages::CompanyBox &b : pages::companyBoxes()) {
            QGroupBox *box = group(page, b.name, b.tag, b.placeholder);
            for (const pages::Placed &p : b.items) {
                const int y = pages::kCompanyFirstRowY + p.row * pages::kCompanyRowPitch;
                QLabel *l =
                    label(box, p.label, QRect(p.labelX, y, p.labelWidth, pages::kFieldHeight));
                if (p.labelRight)
                    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                field(box, p.field, p.fieldX, y);
            }
            if (b.height > 0) {
                box->setFixedHeight(b.height);
                pageLayout->addWidget(box);
            } else {
                pageLayout->addWidget(box, 1);
            }
        }
    }

private:
    void captioned(QObject *control, int tag) {
        if (tag > 0)
            m_captioned.push_back({control, tag});
    }

    TForm1 *m_form;
    std::vector<TForm1::Captioned> &m_captioned;
};

// Enables a page when it is shown and disables it when the page control
// hides it; a page shown before the switch is over can take the focus
// that leaves the page going.
class ShownPageOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *page = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show)
            page->setEnabled(true);
        else if (event->type() == QEvent::Hide && page->isHidden())
            page->setEnabled(false);
        return false;
    }
};

TMessageDialog *messageDialog(QWidget *owner, const char *name, const QString &text,
                              const QString &button1, const QString &button2,
                              TMessageDialog::Icon icon) {
    auto *d = new TMessageDialog(owner);
    d->setObjectName(QString::fromLatin1(name));
    d->Caption = kDialogCaption;
    d->Text = text;
    d->ButtonCount = 2;
    d->Button1Caption = button1;
    d->Button2Caption = button2;
    d->IconType = icon;
    return d;
}

void chainTabOrder(QWidget *window, const QStringList &names) {
    QWidget *previous = nullptr;
    for (const QString &name : names) {
        auto *w = window->findChild<QWidget *>(name);
        Q_ASSERT(w);
        if (previous && w)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace

void TForm1::buildLayout() {
    setWindowTitle(kTitle);
    // The platform's own title bar, without a maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setStyleSheet(windowStyleSheet());
    setMinimumSize(90, 46);
    setMaximumSize(643, 632);
    resize(kClientWidth, kClientHeight);

    Builder b(this, m_captioned);
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);

    // Pages.
    suiPageControl1 = new QTabWidget(this);
    suiPageControl1->setObjectName(QStringLiteral("suiPageControl1"));
    suiPageControl1->setDocumentMode(false);
    suiPageControl1->setUsesScrollButtons(false);
    windowLayout->addWidget(suiPageControl1, 1);

    b.companyPage(b.page(suiPageControl1, "suiTabSheet1", 20));
    b.grid(b.page(suiPageControl1, "suiTabSheet2", 21), pages::salesGrid());
    b.grid(b.page(suiPageControl1, "suiTabSheet3", 22), pages::productionGrid());
    b.creditNotes(b.grid(b.page(suiPageControl1, "suiTabSheet4", 23), pages::creditGrid()));
    // The hidden page has no tab and no content; nothing shows it.
    b.page(suiPageControl1, "suiTabSheet5", 24);
    suiPageControl1->setTabVisible(4, false);
    suiPageControl1->setCurrentIndex(2);
    // Only the shown page's controls can take the focus: the others are
    // disabled until they are shown.
    auto *shownPageOnly = new ShownPageOnly(suiPageControl1);
    for (int i = 0; i < suiPageControl1->count(); ++i) {
        suiPageControl1->widget(i)->installEventFilter(shownPageOnly);
        suiPageControl1->widget(i)->setEnabled(i == suiPageControl1->currentIndex());
    }

    chainTabOrder(this, pages::companyTabOrder());
    chainTabOrder(this, pages::salesTabOrder());
    chainTabOrder(this, pages::productionTabOrder());
    chainTabOrder(this, pages::creditTabOrder());

    // Bottom panel: year tabs with the title over their right part, the
    // print-language check box and the buttons.
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("suiImagePanel1"));
    panel->setFixedHeight(kBottomPanelHeight);
    panel->resize(kClientWidth, kBottomPanelHeight);
    windowLayout->addWidget(panel);
    auto *anchors = new EdgeAnchors(panel);

    roky = new QTabBar(panel);
    roky->setObjectName(QStringLiteral("roky"));
    roky->setShape(QTabBar::RoundedSouth);
    roky->setExpanding(false);
    roky->setDrawBase(true);
    // A click on a year takes the focus, so a field being edited is left
    // (and stored) before the year changes.
    roky->setFocusPolicy(Qt::ClickFocus);
    for (const char *year : {"2016", "2017", "2018"})
        roky->addTab(QString::fromLatin1(year));
    roky->setCurrentIndex(0);
    roky->setGeometry(10, 0, kClientWidth - 10, 24);
    anchors->stretchRight(roky, 0);

    suiImagePanel2 = new QLabel(QStringLiteral("2013"), panel);
    suiImagePanel2->setObjectName(QStringLiteral("suiImagePanel2"));
    suiImagePanel2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    suiImagePanel2->setAttribute(Qt::WA_TransparentForMouseEvents);
    suiImagePanel2->setGeometry(0, 4, 450, 17);
    anchors->keepRight(suiImagePanel2, 5);

    const int buttonsTop = 24 + (kBottomPanelHeight - 24 - kButtonHeight) / 2;
    const auto button = [&](QPushButton *&member, const char *name, const QString &text,
                            int fromRight) {
        member = new QPushButton(text, panel);
        member->setObjectName(QString::fromLatin1(name));
        member->setGeometry(0, buttonsTop, kButtonWidth, kButtonHeight);
        member->setCursor(Qt::PointingHandCursor);
        anchors->keepRight(member, fromRight);
    };
    const int step = kButtonWidth + kButtonGap;
    button(suiButton2, "suiButton2", QStringLiteral("tisk"), kButtonsRight + 2 * step);
    button(suiButton3, "suiButton3", QStringLiteral("uložit"), kButtonsRight + step);
    button(suiButton1, "suiButton1", QStringLiteral("konec"), kButtonsRight);

    suiCheckBox1 = new QCheckBox(QStringLiteral("tisk žádost v NJ"), panel);
    suiCheckBox1->setObjectName(QStringLiteral("suiCheckBox1"));
    suiCheckBox1->setChecked(false);
    suiCheckBox1->adjustSize();
    suiCheckBox1->move(0, buttonsTop + (kButtonHeight - suiCheckBox1->height()) / 2);
    anchors->keepRight(suiCheckBox1, kButtonsRight + 3 * step + 10);

    // Message dialogs declared on the window.
    using Icon = TMessageDialog::Icon;
    pozor = messageDialog(this, "pozor", QStringLiteral("POZOR - zjištěny neuložené změny!"),
                          QStringLiteral("pokračovat"), QStringLiteral("zpět"), Icon::Warning);
    ulozit = messageDialog(this, "ulozit", QStringLiteral("Uložit částku kreditu do objednávek?"),
                           QStringLiteral("uložit"), QStringLiteral("neukládat"), Icon::Help);
    opravdu = messageDialog(this, "opravdu", QStringLiteral("Opravdu"), QStringLiteral("generovat"),
                            QStringLiteral("negenerovat"), Icon::Help);

    auto *enterAsTab = new EnterAsTab(this);
    enterAsTab->setObjectName(QStringLiteral("JvEnterAsTab1"));

    if (QScreen *s = screen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), s->availableGeometry()));
}

void TForm1::wireHandlers() {
    for (const pages::Field *f : pages::allFields()) {
        auto *edit = findChild<TDBEdit *>(f->name);
        if (const pages::ExitHandler h = f->exit)
            connect(edit, &TDBEdit::exited, this,
                    [this, h](TDBEdit *sender) { guarded([&] { (this->*h)(sender); }); });
        if (const pages::ExitHandler h = f->doubleClick)
            connect(edit, &TDBEdit::doubleClicked, this,
                    [this, h](TDBEdit *sender) { guarded([&] { (this->*h)(sender); }); });
    }
    connect(suiButton1, &QPushButton::clicked, this,
            [this] { guarded([this] { suiButton1Click(); }); });
    connect(suiButton2, &QPushButton::clicked, this,
            [this] { guarded([this] { suiButton2Click(); }); });
    connect(suiButton3, &QPushButton::clicked, this,
            [this] { guarded([this] { suiButton3Click(); }); });
    // The tab strip reports only real changes; an index outside the tabs
    // is never passed on.
    connect(roky, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < roky->count())
            guarded([&] { rokyTabActive(index); });
    });
}

void TForm1::setCaption(QObject *control, const QString &caption) {
    if (auto *l = qobject_cast<QLabel *>(control))
        l->setText(caption);
    else if (auto *g = qobject_cast<QGroupBox *>(control))
        g->setTitle(caption);
    else if (auto *p = qobject_cast<QWidget *>(control); p && suiPageControl1->indexOf(p) >= 0)
        suiPageControl1->setTabText(suiPageControl1->indexOf(p), caption);
}

QString TForm1::caption(QObject *control) const {
    if (auto *l = qobject_cast<QLabel *>(control))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(control))
        return g->title();
    if (auto *p = qobject_cast<QWidget *>(control); p && suiPageControl1->indexOf(p) >= 0)
        return suiPageControl1->tabText(suiPageControl1->indexOf(p));
    return QString();
}

} // namespace varnok
