#include "printing/preview.h"

#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/exportfilter.h"
#include "printing/pageview.h"
#include "printing/preparedxml.h"
#include "printing/render.h"
#include "printing/report.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace varnok::printing {

namespace {

const QString kPreparedFilter = QStringLiteral("Připravená sestava (*.fp3);;Všechny soubory (*)");
constexpr double kMinZoom = 10;
constexpr double kMaxZoom = 800;
const double kZoomSteps[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};

QAction *addToolAction(QToolBar *bar, const QString &objectName, const QString &text,
                       const QString &tip, const QKeySequence &key = QKeySequence()) {
    QAction *a = bar->addAction(text);
    a->setObjectName(objectName);
    a->setToolTip(tip);
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

} // namespace

PreviewWindow::PreviewWindow(report::Report &report, QWidget *parent)
    : QDialog(parent), m_report(report) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("Náhled tisku"));
    setModal(true);
    setSizeGripEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    buildFindBar();

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_findBar);

    // The fitting zooms follow the visible area of the page.
    m_scroll->viewport()->installEventFilter(this);
    const QToolBar *bar = findChild<QToolBar *>(QStringLiteral("previewToolBar"));
    resize(qMax(860, bar->sizeHint().width() + 24), 1000);
    setPage(pageCount() > 0 ? 1 : 0);
    zoomWholePage();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolBar() {
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    static_cast<QVBoxLayout *>(this->layout())->addWidget(bar);

    QAction *print = addToolAction(bar, QStringLiteral("actionPrint"), QStringLiteral("Tisk…"),
                                   QStringLiteral("Vytisknout sestavu"), QKeySequence::Print);
    connect(print, &QAction::triggered, this, &PreviewWindow::printReport);
    QAction *open = addToolAction(bar, QStringLiteral("actionOpen"), QStringLiteral("Otevřít…"),
                                  QStringLiteral("Otevřít uloženou sestavu"), QKeySequence::Open);
    connect(open, &QAction::triggered, this, &PreviewWindow::openReport);
    QAction *save = addToolAction(bar, QStringLiteral("actionSave"), QStringLiteral("Uložit…"),
                                  QStringLiteral("Uložit připravenou sestavu"), QKeySequence::Save);
    connect(save, &QAction::triggered, this, &PreviewWindow::saveReport);

    m_exportMenu = new QMenu(this);
    m_exportMenu->setObjectName(QStringLiteral("exportMenu"));
    connect(m_exportMenu, &QMenu::aboutToShow, this, &PreviewWindow::fillExportMenu);
    auto *exportButton = new QToolButton(bar);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setText(QStringLiteral("Export"));
    exportButton->setToolTip(QStringLiteral("Exportovat sestavu do souboru"));
    exportButton->setMenu(m_exportMenu);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(exportButton);
    fillExportMenu();
    bar->addSeparator();

    QAction *whole =
        addToolAction(bar, QStringLiteral("actionWholePage"), QStringLiteral("Celá stránka"),
                      QStringLiteral("Zobrazit celou stránku"));
    connect(whole, &QAction::triggered, this, &PreviewWindow::zoomWholePage);
    QAction *width =
        addToolAction(bar, QStringLiteral("actionPageWidth"), QStringLiteral("Šířka stránky"),
                      QStringLiteral("Přizpůsobit šířce okna"));
    connect(width, &QAction::triggered, this, &PreviewWindow::zoomPageWidth);
    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->setToolTip(QStringLiteral("Měřítko"));
    for (double z : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(z), z);
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int index) { setZoomPercent(m_zoomBox->itemData(index).toDouble()); });
    bar->addWidget(m_zoomBox);
    QAction *zoomOut = addToolAction(bar, QStringLiteral("actionZoomOut"), QStringLiteral("−"),
                                     QStringLiteral("Zmenšit"), QKeySequence::ZoomOut);
    connect(zoomOut, &QAction::triggered, this, [this] {
        double next = kZoomSteps[0];
        for (double z : kZoomSteps)
            if (z < m_zoom - 0.5)
                next = z;
        setZoomPercent(next);
    });
    QAction *zoomIn = addToolAction(bar, QStringLiteral("actionZoomIn"), QStringLiteral("+"),
                                    QStringLiteral("Zvětšit"), QKeySequence::ZoomIn);
    connect(zoomIn, &QAction::triggered, this, [this] {
        for (double z : kZoomSteps) {
            if (z > m_zoom + 0.5) {
                setZoomPercent(z);
                return;
            }
        }
    });
    bar->addSeparator();

    QAction *find = addToolAction(bar, QStringLiteral("actionFind"), QStringLiteral("Najít…"),
                                  QStringLiteral("Najít text"), QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        m_findBar->show();
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    QAction *setup =
        addToolAction(bar, QStringLiteral("actionPageSetup"), QStringLiteral("Vzhled stránky…"),
                      QStringLiteral("Nastavení stránky pro tisk"));
    connect(setup, &QAction::triggered, this, &PreviewWindow::pageSetup);
    bar->addSeparator();

    QAction *first =
        addToolAction(bar, QStringLiteral("actionFirstPage"), QStringLiteral("|◀"),
                      QStringLiteral("První strana"), QKeySequence(Qt::CTRL | Qt::Key_Home));
    connect(first, &QAction::triggered, this, [this] { setPage(1); });
    QAction *prev = addToolAction(bar, QStringLiteral("actionPreviousPage"), QStringLiteral("◀"),
                                  QStringLiteral("Předchozí strana"), QKeySequence(Qt::Key_PageUp));
    connect(prev, &QAction::triggered, this, [this] { setPage(m_page - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setToolTip(QStringLiteral("Strana"));
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int v) {
        if (v != m_page)
            setPage(v);
    });
    bar->addWidget(m_pageBox);
    m_pageCountLabel = new QLabel(bar);
    m_pageCountLabel->setObjectName(QStringLiteral("pageCountLabel"));
    bar->addWidget(m_pageCountLabel);
    QAction *next = addToolAction(bar, QStringLiteral("actionNextPage"), QStringLiteral("▶"),
                                  QStringLiteral("Další strana"), QKeySequence(Qt::Key_PageDown));
    connect(next, &QAction::triggered, this, [this] { setPage(m_page + 1); });
    QAction *last =
        addToolAction(bar, QStringLiteral("actionLastPage"), QStringLiteral("▶|"),
                      QStringLiteral("Poslední strana"), QKeySequence(Qt::CTRL | Qt::Key_End));
    connect(last, &QAction::triggered, this, [this] { setPage(pageCount()); });
    bar->addSeparator();

    QAction *close = addToolAction(bar, QStringLiteral("actionClose"), QStringLiteral("Zavřít"),
                                   QStringLiteral("Zavřít náhled"));
    connect(close, &QAction::triggered, this, &QDialog::accept);
}

void PreviewWindow::buildFindBar() {
    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    auto *row = new QHBoxLayout(m_findBar);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(new QLabel(QStringLiteral("Najít:"), m_findBar));
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    row->addWidget(m_findEdit, 1);
    auto *nextButton = new QPushButton(QStringLiteral("Najít další"), m_findBar);
    nextButton->setObjectName(QStringLiteral("findNextButton"));
    nextButton->setAutoDefault(false);
    row->addWidget(nextButton);
    m_findStatus = new QLabel(m_findBar);
    m_findStatus->setObjectName(QStringLiteral("findStatus"));
    row->addWidget(m_findStatus);
    auto *hide = new QPushButton(QStringLiteral("Skrýt"), m_findBar);
    hide->setAutoDefault(false);
    row->addWidget(hide);
    auto search = [this] {
        const QString text = m_findEdit->text();
        if (text.isEmpty())
            return;
        m_findStatus->setText(
            findNext(text) ? QString() : QStringLiteral("Text „%1“ nebyl nalezen.").arg(text));
    };
    connect(nextButton, &QPushButton::clicked, this, search);
    connect(m_findEdit, &QLineEdit::returnPressed, this, search);
    connect(hide, &QPushButton::clicked, this, [this] {
        m_findBar->hide();
        m_findText.clear();
        m_view->setHighlights({});
    });
    m_findBar->hide();
}

void PreviewWindow::fillExportMenu() {
    m_exportMenu->clear();
    for (report::ExportFilter *filter : report::ExportFilter::registered()) {
        QAction *a = m_exportMenu->addAction(filter->description());
        // The export writes where it is set up to, without a dialog.
        connect(a, &QAction::triggered, this, [this, filter] {
            // The export may have gone since the menu was filled.
            const auto &list = report::ExportFilter::registered();
            if (std::find(list.begin(), list.end(), filter) != list.end())
                m_report.exportTo(*filter);
        });
    }
    if (m_exportMenu->isEmpty())
        m_exportMenu->addAction(QStringLiteral("(žádný export)"))->setEnabled(false);
}

int PreviewWindow::pageCount() const {
    return int(m_report.preparedPages().pages.size());
}

void PreviewWindow::setPage(int page) {
    const int count = pageCount();
    m_page = count == 0 ? 0 : qBound(1, page, count);
    updateView();
}

void PreviewWindow::updateView() {
    const int count = pageCount();
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setRange(count == 0 ? 0 : 1, count);
        m_pageBox->setValue(m_page);
    }
    m_pageCountLabel->setText(QStringLiteral(" z %1 ").arg(count));
    const report::PreparedPage *page =
        m_page > 0 ? &m_report.preparedPages().pages[size_t(m_page - 1)] : nullptr;
    if (m_view->page() != page)
        m_view->setPage(page);
    if (page && !m_findText.isEmpty())
        m_view->setHighlights(report::findText(*page, m_findText));
    applyFit();
    m_view->setScale(pixelsPerPoint());
    const QSignalBlocker block(m_zoomBox);
    m_zoomBox->setCurrentIndex(-1);
    m_zoomBox->setEditText(QString());
    m_zoomBox->setPlaceholderText(QStringLiteral("%1 %").arg(qRound(m_zoom)));
}

double PreviewWindow::pixelsPerPoint() const {
    return m_zoom / 100.0 * logicalDpiX() / 72.0;
}

void PreviewWindow::applyFit() {
    const report::PreparedPage *page = m_view->page();
    if (m_fit == Fit::None || !page)
        return;
    const QSize area =
        m_scroll->viewport()->size() - QSize(2 * PageView::kBorder + 4, 2 * PageView::kBorder + 4);
    const double perPercent = logicalDpiX() / 72.0 / 100.0;
    double zoom = area.width() / (page->size.width() * perPercent);
    if (m_fit == Fit::WholePage)
        zoom = qMin(zoom, area.height() / (page->size.height() * perPercent));
    m_zoom = qBound(kMinZoom, zoom, kMaxZoom);
}

void PreviewWindow::setZoomPercent(double percent) {
    m_fit = Fit::None;
    m_zoom = qBound(kMinZoom, percent, kMaxZoom);
    updateView();
}

void PreviewWindow::zoomWholePage() {
    m_fit = Fit::WholePage;
    updateView();
}

void PreviewWindow::zoomPageWidth() {
    m_fit = Fit::PageWidth;
    updateView();
}

bool PreviewWindow::findNext(const QString &text) {
    const int count = pageCount();
    if (count == 0 || text.isEmpty())
        return false;
    // A new text starts on the current page; the same text again moves on.
    const bool again = text.compare(m_findText, Qt::CaseInsensitive) == 0;
    m_findText = text;
    const int start = m_page > 0 ? m_page : 1;
    for (int i = again ? 1 : 0; i <= count; ++i) {
        const int page = (start - 1 + i) % count + 1;
        if (!report::findText(m_report.preparedPages().pages[size_t(page - 1)], text).empty()) {
            setPage(page);
            return true;
        }
    }
    m_view->setHighlights({});
    return false;
}

QPrinter &PreviewWindow::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setFullPage(true);
        m_printer->setDocName(windowTitle());
        syncPrinterPage();
    }
    return *m_printer;
}

// The printer's paper follows the report's first page until the user
// chooses another in the page setup.
void PreviewWindow::syncPrinterPage() {
    if (pageCount() == 0)
        return;
    const report::PreparedPage &p = m_report.preparedPages().pages.front();
    const bool landscape = p.orientation == report::Orientation::Landscape;
    const QSizeF portrait = landscape ? p.size.transposed() : p.size;
    m_printer->setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Point),
                                         landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
}

void PreviewWindow::printReport() {
    if (pageCount() == 0)
        return;
    QPrinter &p = printer();
    QPrintDialog dialog(&p, this);
    dialog.setWindowTitle(QStringLiteral("Tisk"));
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 1, to = pageCount();
    if (p.printRange() == QPrinter::PageRange) {
        from = p.fromPage();
        to = p.toPage();
    } else if (p.printRange() == QPrinter::CurrentPage) {
        from = to = m_page;
    }
    report::renderReport(p, m_report.preparedPages(), from, to);
}

void PreviewWindow::pageSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.setWindowTitle(QStringLiteral("Vzhled stránky"));
    dialog.exec();
}

void PreviewWindow::openReport() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Otevřít sestavu"),
                                                      QString(), kPreparedFilter);
    if (path.isEmpty())
        return;
    try {
        m_report.setPreparedPages(report::loadPrepared(path));
    } catch (const Error &e) {
        report::showEngineError(e.message());
        return;
    }
    m_view->setPage(nullptr);
    m_findText.clear();
    if (m_printer)
        syncPrinterPage();
    setPage(1);
}

void PreviewWindow::saveReport() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Uložit sestavu"), QString(),
                                                kPreparedFilter);
    if (path.isEmpty())
        return;
    if (!path.contains(u'.'))
        path += QStringLiteral(".fp3");
    try {
        report::savePrepared(path, m_report.preparedPages());
    } catch (const Error &e) {
        report::showEngineError(e.message());
    }
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_fit != Fit::None)
        updateView();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Home:
        setPage(1);
        return;
    case Qt::Key_End:
        setPage(pageCount());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace varnok::printing
