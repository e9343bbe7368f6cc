#include "printing/designer/designerwindow.h"

#include "common/error.h"
#include "printing/dataset.h"
#include "printing/designer/designcanvas.h"
#include "printing/designer/designdocument.h"
#include "printing/designer/designedits.h"
#include "printing/designer/objectclipboard.h"
#include "printing/designer/objectgeometry.h"
#include "printing/designer/pagesetupdialog.h"
#include "printing/designer/propertiespanel.h"
#include "printing/designer/textdialog.h"
#include "printing/engineerror.h"
#include "printing/report.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace varnok::designer {

namespace {

constexpr double kPasteOffset = 5; // mm, so a copy does not hide its original
const int kZoomSteps[] = {50, 75, 100, 125, 150, 200, 300};

QString czechNumber(double v) {
    return QString::number(v, 'f', 1).replace(u'.', u',');
}

// Whether a pasted object would land exactly on one of the page.
bool coversExisting(const report::Page &page, const std::vector<report::ReportObject> &objects) {
    for (const auto &o : objects)
        for (const auto &existing : page.objects)
            if (geometryOf(o) == geometryOf(existing) && o.index() == existing.index())
                return true;
    return false;
}

} // namespace

DesignerWindow::DesignerWindow(report::Report &report, DesignerOptions options, QWidget *parent)
    : QDialog(parent), m_report(report), m_options(std::move(options)) {
    setObjectName(QStringLiteral("frxDesigner1"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setSizeGripEnabled(true);

    m_doc = new DesignDocument(report, this);
    m_canvas = new DesignCanvas(*m_doc);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("canvasScroll"));
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    m_pageTabs = new QTabBar(this);
    m_pageTabs->setObjectName(QStringLiteral("pageTabs"));
    m_pageTabs->setShape(QTabBar::RoundedSouth);
    m_pageTabs->setDrawBase(false);

    m_properties = new PropertiesPanel(*m_doc);
    auto *propertiesScroll = new QScrollArea(this);
    propertiesScroll->setWidget(m_properties);
    propertiesScroll->setWidgetResizable(true);
    propertiesScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    propertiesScroll->setMinimumWidth(m_properties->sizeHint().width() + 24);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));

    buildActions();
    auto *menuBar = new QMenuBar(this);
    buildMenus(menuBar);

    auto *pageArea = new QWidget(this);
    auto *pageLayout = new QVBoxLayout(pageArea);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(m_scroll, 1);
    pageLayout->addWidget(m_pageTabs);

    auto *split = new QSplitter(this);
    split->addWidget(pageArea);
    split->addWidget(propertiesScroll);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setCollapsible(0, false);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(buildToolBar());
    layout->addWidget(split, 1);
    layout->addWidget(m_status);

    connect(m_doc, &DesignDocument::changed, this, &DesignerWindow::updatePageTabs);
    connect(m_doc, &DesignDocument::pageChanged, this, &DesignerWindow::updatePageTabs);
    connect(m_doc, &DesignDocument::selectionChanged, this, &DesignerWindow::updateActions);
    connect(m_doc->undoStack(), &QUndoStack::cleanChanged, this, &DesignerWindow::updateTitle);
    connect(m_pageTabs, &QTabBar::currentChanged, m_doc, &DesignDocument::setPageIndex);
    connect(m_canvas, &DesignCanvas::editTextRequested, this, &DesignerWindow::editText);
    connect(m_properties, &PropertiesPanel::editTextRequested, this, &DesignerWindow::editText);
    connect(m_canvas, &DesignCanvas::cursorMoved, this, &DesignerWindow::showCursor);

    updatePageTabs();
    updateTitle();
    updateActions();
    // As large as the screen allows, up to what shows a whole A4 width.
    const QRect screen = this->screen()->availableGeometry();
    resize(qMin(1200, screen.width() * 9 / 10), qMin(860, screen.height() * 9 / 10));
    m_canvas->setFocus();
}

DesignerWindow::~DesignerWindow() {
    // The document and its undo stack are children, destroyed after this
    // class's part of the window; the stack still signals then.
    m_doc->undoStack()->disconnect(this);
    m_doc->disconnect(this);
}

QAction *DesignerWindow::addAction(const QString &name, const QString &text,
                                   const QKeySequence &key, const std::function<void()> &slot) {
    auto *a = new QAction(text, this);
    a->setObjectName(name);
    if (!key.isEmpty())
        a->setShortcut(key);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    QWidget::addAction(a); // shortcuts work without the menus open
    return a;
}

void DesignerWindow::buildActions() {
    addAction(QStringLiteral("actionSave"), QStringLiteral("&Uložit"), QKeySequence::Save,
              [this] { save(); });
    addAction(QStringLiteral("actionSaveAs"), QStringLiteral("Uložit &jako…"), {},
              [this] { saveAs(); });
    addAction(QStringLiteral("actionPageSetup"), QStringLiteral("&Vzhled stránky…"), {},
              [this] { pageSetup(); });
    addAction(QStringLiteral("actionClose"), QStringLiteral("&Zavřít"), {}, [this] { close(); });
    if (m_options.preview)
        addAction(QStringLiteral("actionPreview"), QStringLiteral("&Náhled"),
                  QKeySequence(Qt::CTRL | Qt::Key_P),
                  [this] { m_options.preview(m_report, this); });

    QAction *undo = m_doc->undoStack()->createUndoAction(this, QStringLiteral("&Zpět"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_doc->undoStack()->createRedoAction(this, QStringLiteral("Z&novu"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    QWidget::addAction(undo);
    QWidget::addAction(redo);

    addAction(QStringLiteral("actionCut"), QStringLiteral("Vyj&mout"), QKeySequence::Cut,
              [this] { cut(); });
    addAction(QStringLiteral("actionCopy"), QStringLiteral("&Kopírovat"), QKeySequence::Copy,
              [this] { copy(); });
    addAction(QStringLiteral("actionPaste"), QStringLiteral("&Vložit"), QKeySequence::Paste,
              [this] { paste(); });
    addAction(QStringLiteral("actionDelete"), QStringLiteral("&Smazat"), QKeySequence::Delete,
              [this] { deleteSelected(); });
    addAction(QStringLiteral("actionSelectAll"), QStringLiteral("Vybrat &vše"),
              QKeySequence::SelectAll, [this] { selectAll(*m_doc); });
    addAction(QStringLiteral("actionEditText"), QStringLiteral("Upravit &text…"), {}, [this] {
        if (!m_doc->selection().empty())
            editText(m_doc->selection().front());
    });
    addAction(QStringLiteral("actionFront"), QStringLiteral("Do &popředí"), {},
              [this] { bringToFront(*m_doc); });
    addAction(QStringLiteral("actionBack"), QStringLiteral("Do po&zadí"), {},
              [this] { sendToBack(*m_doc); });
    addAction(QStringLiteral("actionAddPage"), QStringLiteral("&Nová stránka"), {},
              [this] { addPage(*m_doc); });
    addAction(QStringLiteral("actionRemovePage"), QStringLiteral("&Odstranit stránku"), {},
              [this] { removePage(*m_doc); });

    // The insert tools: one at a time; after one object the tool returns
    // to selecting.
    m_tools = new QActionGroup(this);
    const std::pair<const char16_t *, const char16_t *> tools[] = {
        {u"toolSelect", u"Výběr"},
        {u"toolText", u"Text"},
        {u"toolLine", u"Čára"},
        {u"toolRect", u"Obdélník"},
    };
    for (int i = 0; i < 4; ++i) {
        QAction *a = addAction(QString::fromUtf16(tools[i].first),
                               QString::fromUtf16(tools[i].second), {}, {});
        a->setCheckable(true);
        a->setData(i);
        m_tools->addAction(a);
        if (i > 0)
            a->setToolTip(
                QStringLiteral("Vložit: %1 (klepněte nebo táhněte na stránce)").arg(a->text()));
    }
    m_tools->actions().front()->setChecked(true);
    connect(m_tools, &QActionGroup::triggered, this, [this](QAction *a) {
        m_canvas->setTool(DesignCanvas::Tool(a->data().toInt()));
        m_canvas->setFocus();
    });
    connect(m_canvas, &DesignCanvas::toolChanged, this,
            [this](DesignCanvas::Tool t) { m_tools->actions().at(int(t))->setChecked(true); });

    QAction *grid = addAction(QStringLiteral("actionGrid"), QStringLiteral("&Mřížka"), {}, {});
    grid->setCheckable(true);
    grid->setChecked(m_canvas->gridVisible());
    connect(grid, &QAction::toggled, m_canvas, &DesignCanvas::setGridVisible);
    QAction *snap =
        addAction(QStringLiteral("actionSnap"), QStringLiteral("&Přichytávat k mřížce"), {}, {});
    snap->setCheckable(true);
    snap->setChecked(m_canvas->snapToGrid());
    connect(snap, &QAction::toggled, m_canvas, &DesignCanvas::setSnapToGrid);
    addAction(
        QStringLiteral("actionZoomIn"), QStringLiteral("&Zvětšit"), QKeySequence::ZoomIn,
        [this] { m_zoom->setCurrentIndex(qMin(m_zoom->currentIndex() + 1, m_zoom->count() - 1)); });
    addAction(QStringLiteral("actionZoomOut"), QStringLiteral("Z&menšit"), QKeySequence::ZoomOut,
              [this] { m_zoom->setCurrentIndex(qMax(m_zoom->currentIndex() - 1, 0)); });
}

void DesignerWindow::buildMenus(QWidget *menuHost) {
    auto *bar = static_cast<QMenuBar *>(menuHost);
    auto act = [this](const char16_t *name) {
        return findChild<QAction *>(QString::fromUtf16(name));
    };
    auto fill = [&](const QString &title, std::initializer_list<const char16_t *> names) {
        QMenu *menu = bar->addMenu(title);
        for (const char16_t *n : names) {
            if (!n)
                menu->addSeparator();
            else if (QAction *a = act(n))
                menu->addAction(a);
        }
        return menu;
    };
    fill(QStringLiteral("&Soubor"), {u"actionSave", u"actionSaveAs", nullptr, u"actionPageSetup",
                                     u"actionPreview", nullptr, u"actionClose"});
    fill(QStringLiteral("Ú&pravy"),
         {u"actionUndo", u"actionRedo", nullptr, u"actionCut", u"actionCopy", u"actionPaste",
          u"actionDelete", u"actionSelectAll", nullptr, u"actionEditText", u"actionFront",
          u"actionBack"});
    fill(QStringLiteral("&Vložit"), {u"toolText", u"toolLine", u"toolRect"});
    fill(QStringLiteral("S&tránka"),
         {u"actionAddPage", u"actionRemovePage", nullptr, u"actionPageSetup"});
    fill(QStringLiteral("&Zobrazení"),
         {u"actionGrid", u"actionSnap", nullptr, u"actionZoomIn", u"actionZoomOut"});

    // The canvas's context menu: the edits of the selection.
    m_canvas->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const char16_t *n : {u"actionEditText", u"actionCut", u"actionCopy", u"actionPaste",
                              u"actionDelete", u"actionFront", u"actionBack"})
        m_canvas->addAction(act(n));
}

QWidget *DesignerWindow::buildToolBar() {
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("designerToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto act = [this](const char16_t *name) {
        return findChild<QAction *>(QString::fromUtf16(name));
    };
    const char16_t *const items[] = {
        u"actionSave",  nullptr,       u"actionUndo",  u"actionRedo",      nullptr,
        u"actionCut",   u"actionCopy", u"actionPaste", u"actionDelete",    nullptr,
        u"toolSelect",  u"toolText",   u"toolLine",    u"toolRect",        nullptr,
        u"actionFront", u"actionBack", nullptr,        u"actionPageSetup", u"actionPreview"};
    for (const char16_t *n : items) {
        if (!n)
            bar->addSeparator();
        else if (QAction *a = act(n))
            bar->addAction(a);
    }
    bar->addSeparator();
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    for (int z : kZoomSteps)
        m_zoom->addItem(QStringLiteral("%1 %").arg(z), z);
    m_zoom->setCurrentIndex(m_zoom->findData(100));
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::currentIndexChanged, this,
            [this] { m_canvas->setZoom(m_zoom->currentData().toInt()); });
    return bar;
}

void DesignerWindow::updatePageTabs() {
    const auto &pages = m_doc->templ().pages;
    const QSignalBlocker block(m_pageTabs);
    while (m_pageTabs->count() > int(pages.size()))
        m_pageTabs->removeTab(m_pageTabs->count() - 1);
    for (int i = 0; i < int(pages.size()); ++i) {
        const QString label = QStringLiteral("Strana %1").arg(i + 1);
        if (i < m_pageTabs->count())
            m_pageTabs->setTabText(i, label);
        else
            m_pageTabs->addTab(label);
    }
    m_pageTabs->setCurrentIndex(m_doc->pageIndex());
    m_pageTabs->setVisible(pages.size() > 1);
    if (QAction *remove = findChild<QAction *>(QStringLiteral("actionRemovePage")))
        remove->setEnabled(pages.size() > 1);
}

void DesignerWindow::updateTitle() {
    const QString file = m_report.fileName().isEmpty() ? QStringLiteral("nová sestava")
                                                       : QFileInfo(m_report.fileName()).fileName();
    setWindowTitle(QStringLiteral("Návrhář sestavy - %1[*]").arg(file));
    setWindowModified(m_doc->isModified());
}

void DesignerWindow::updateActions() {
    const bool any = !m_doc->selection().empty();
    for (const char16_t *n :
         {u"actionCut", u"actionCopy", u"actionDelete", u"actionFront", u"actionBack"})
        findChild<QAction *>(QString::fromUtf16(n))->setEnabled(any);
    const auto *first = any ? m_doc->object(m_doc->selection().front()) : nullptr;
    findChild<QAction *>(QStringLiteral("actionEditText"))
        ->setEnabled(first && std::holds_alternative<report::TextObject>(*first));
}

void DesignerWindow::showCursor(const QPointF &mm) {
    const auto &sel = m_doc->selection();
    QString text =
        QStringLiteral("X: %1 mm   Y: %2 mm").arg(czechNumber(mm.x()), czechNumber(mm.y()));
    if (sel.size() == 1) {
        const QRectF g = geometryOf(*m_doc->object(sel.front()));
        text += QStringLiteral("      %1: %2 × %3 mm na %4; %5")
                    .arg(kindName(*m_doc->object(sel.front())), czechNumber(g.width()),
                         czechNumber(g.height()), czechNumber(g.x()), czechNumber(g.y()));
    }
    m_status->setText(text);
}

ExpressionSources DesignerWindow::expressionSources() const {
    ExpressionSources s;
    s.variables = m_report.templ().variables;
    const report::ReportDataSet *ds = m_report.dataSet();
    if (ds)
        s.dataSetName = ds->userName();
    s.columns = m_options.datasetColumns;
    if (s.columns.isEmpty() && ds && ds->isOpen())
        s.columns = ds->fieldNames();
    return s;
}

void DesignerWindow::editText(int index) {
    const auto *t = std::get_if<report::TextObject>(m_doc->object(index));
    if (!t)
        return;
    TextDialog dialog(t->text, expressionSources(), this);
    if (dialog.exec() == QDialog::Accepted)
        setObjectText(*m_doc, index, dialog.text());
    m_canvas->setFocus();
}

void DesignerWindow::pageSetup() {
    PageSetupDialog dialog(m_doc->page(), this);
    if (dialog.exec() == QDialog::Accepted)
        setPageSetup(*m_doc, dialog.setup());
}

void DesignerWindow::copy() {
    const auto objects = selectedObjects(*m_doc);
    if (!objects.empty())
        QGuiApplication::clipboard()->setMimeData(objectsToMime(objects));
}

void DesignerWindow::cut() {
    copy();
    deleteSelection(*m_doc, QStringLiteral("Vyjmutí"));
}

void DesignerWindow::paste() {
    std::vector<report::ReportObject> objects =
        objectsFromMime(QGuiApplication::clipboard()->mimeData());
    for (int i = 0; i < 50 && coversExisting(m_doc->page(), objects); ++i)
        for (auto &o : objects)
            moveBy(o, QPointF(kPasteOffset, kPasteOffset));
    insertObjects(*m_doc, std::move(objects), QStringLiteral("Vložení ze schránky"));
}

void DesignerWindow::deleteSelected() {
    deleteSelection(*m_doc, QStringLiteral("Smazání"));
}

bool DesignerWindow::writeTo(const QString &path) {
    try {
        m_doc->save(path);
    } catch (const Error &e) {
        report::showEngineError(e.message());
        return false;
    }
    m_saved = true;
    updateTitle();
    return true;
}

bool DesignerWindow::save() {
    if (m_report.fileName().isEmpty())
        return saveAs();
    return writeTo(m_report.fileName());
}

bool DesignerWindow::saveAs() {
    const QString start = m_report.fileName().isEmpty()
                              ? m_options.saveDir + QStringLiteral("zadost.fr3")
                              : m_report.fileName();
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Uložit šablonu sestavy"), start,
        QStringLiteral("Šablona sestavy (*.fr3);;Všechny soubory (*)"));
    if (path.isEmpty())
        return false;
    if (!writeTo(path))
        return false;
    m_report.setFileName(path);
    updateTitle();
    return true;
}

void DesignerWindow::closeEvent(QCloseEvent *event) {
    // Closing asks nothing; unsaved edits stay in the report only.
    m_doc->cancelLive();
    event->accept();
}

} // namespace varnok::designer
