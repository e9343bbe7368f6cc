// The report designer on the offscreen platform: a scripted session on the
// shipped template, the empty report, selection and clipboard, the
// properties panel, page setup and the entry the print command calls.
#include "printing/designer/designcanvas.h"
#include "printing/designer/designdocument.h"
#include "printing/designer/designer.h"
#include "printing/designer/designerwindow.h"
#include "printing/designer/objectgeometry.h"
#include "printing/designer/pagesetupdialog.h"
#include "printing/designer/propertiespanel.h"
#include "printing/designer/textdialog.h"
#include "printing/engineerror.h"
#include "printing/report.h"
#include "printing/templatexml.h"
#include "tests/designer/whenmodal.h"
#include "tests/printing/samplerow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::designer;
using namespace varnok::report;
using varnok::test::whenModal;

namespace {

const QString kShipped = QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3");

QPoint px(const DesignCanvas *canvas, const QPointF &mm) {
    return canvas->toWidget(mm).toPoint();
}

// A mouse drag on the canvas from one point to another (mm).
void drag(DesignCanvas *canvas, const QPointF &from, const QPointF &to,
          Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(canvas, Qt::LeftButton, mods, px(canvas, from));
    QTest::mouseMove(canvas, px(canvas, (from + to) / 2));
    QTest::mouseMove(canvas, px(canvas, to));
    QTest::mouseRelease(canvas, Qt::LeftButton, mods, px(canvas, to));
}

void click(DesignCanvas *canvas, const QPointF &at, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(canvas, Qt::LeftButton, mods, px(canvas, at));
}

int findText(const Page &page, const QString &text) {
    for (int i = 0; i < int(page.objects.size()); ++i)
        if (const auto *t = std::get_if<TextObject>(&page.objects[size_t(i)]))
            if (t->text == text)
                return i;
    return -1;
}

const TextObject &textAt(DesignDocument &doc, int index) {
    return std::get<TextObject>(*doc.object(index));
}

QAction *action(QWidget &w, const char *name) {
    auto *a = w.findChild<QAction *>(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

Template smallTemplate() {
    Template t;
    Page p;
    TextObject a, b, c;
    a.name = QStringLiteral("A");
    a.rect = QRectF(10, 10, 40, 8);
    a.text = QStringLiteral("[txt_01]");
    b.name = QStringLiteral("B");
    b.rect = QRectF(10, 30, 40, 8);
    b.text = QStringLiteral("[rok2]");
    c.name = QStringLiteral("C");
    c.rect = QRectF(100, 10, 40, 8);
    c.text = QStringLiteral("pevný text");
    LineObject l;
    l.name = QStringLiteral("L");
    l.from = QPointF(10, 60);
    l.to = QPointF(150, 60);
    RectObject r;
    r.name = QStringLiteral("R");
    r.rect = QRectF(100, 80, 50, 30);
    p.objects = {a, b, c, l, r};
    t.pages.push_back(p);
    t.variables = {{QStringLiteral("txt_01"), QStringLiteral("'Firma'")},
                   {QStringLiteral("rok2"), QStringLiteral("'2013'")}};
    return t;
}

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("zadost.fr3"));
    }

    // The shipped template with the variables as the print command sets them.
    void loadShipped() {
        ASSERT_TRUE(QFile::copy(kShipped, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(report.loadFromFile(path));
        report.setFileName(path);
        report.setVariable(QStringLiteral("txt_01"), QStringLiteral("'Obchodní firma'"));
        report.setVariable(QStringLiteral("rok1"), QStringLiteral("'2012'"));
        report.setVariable(QStringLiteral("rok2"), QStringLiteral("'2013'"));
    }

    void loadSmall() {
        report.templ() = smallTemplate();
        report.setFileName(path);
    }

    // Opens the designer window and waits until it is on screen.
    std::unique_ptr<DesignerWindow> open(DesignerOptions options = DesignerOptions()) {
        auto w = std::make_unique<DesignerWindow>(report, std::move(options));
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    QTemporaryDir dir;
    QString path;
    Report report;
};

TEST_F(DesignerTest, ScriptedSessionOnShippedTemplateSavesTheChangesAndTheVariables) {
    loadShipped();
    const Template original = report.templ();
    DesignerOptions options;
    options.datasetColumns = {QStringLiteral("ico"), QStringLiteral("nazevpodni")};
    auto w = open(options);
    DesignDocument &doc = w->document();
    DesignCanvas *canvas = w->canvas();

    const int title = findText(doc.page(), QStringLiteral("[txt_77] [rok2]"));
    ASSERT_GE(title, 0);
    const QRectF before = textAt(doc, title).rect;

    // Drag it 10 mm right and 5 mm down, then one more step with the keys
    // and one taller with Shift.
    drag(canvas, before.center(), before.center() + QPointF(10, 5));
    EXPECT_EQ(doc.selection(), std::vector<int>{title});
    EXPECT_EQ(textAt(doc, title).rect.topLeft(), before.topLeft() + QPointF(10, 5));
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    const QRectF moved(before.x() + 11, before.y() + 5, before.width(), before.height() + 1);
    EXPECT_EQ(textAt(doc, title).rect, moved);

    // New content through the text dialog: typed text and a column
    // inserted from the list.
    whenModal<TextDialog>([](TextDialog &d) {
        d.editor()->setPlainText(QStringLiteral("Žádost "));
        d.editor()->moveCursor(QTextCursor::End);
        const auto items =
            d.insertList()->findItems(QStringLiteral("ico"), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1);
        d.insertItem(items.front());
        d.accept();
    });
    w->editText(title);
    const QString newText = QStringLiteral("Žádost [frxDBDataset1.\"ico\"]");
    EXPECT_EQ(textAt(doc, title).text, newText);

    // A larger font from the properties panel.
    auto *size = w->findChild<QDoubleSpinBox *>(QStringLiteral("propFontSize"));
    ASSERT_NE(size, nullptr);
    size->setValue(18);
    EXPECT_EQ(textAt(doc, title).font.size, 18);

    // The offscreen platform does not hand activation back after a dialog.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(w->wasSaved());
    EXPECT_FALSE(w->isWindowModified());

    const Template saved = loadTemplate(path);
    ASSERT_EQ(saved.pages.size(), original.pages.size());
    const auto &savedText = std::get<TextObject>(saved.pages[0].objects[size_t(title)]);
    EXPECT_EQ(savedText.rect, moved);
    EXPECT_EQ(savedText.text, newText);
    EXPECT_EQ(savedText.font.size, 18);
    // Everything else as it was.
    for (size_t i = 0; i < original.pages[0].objects.size(); ++i) {
        if (int(i) != title) {
            EXPECT_TRUE(saved.pages[0].objects[i] == original.pages[0].objects[i]) << i;
        }
    }
    // The variables with the values the print command set.
    auto value = [&saved](const char *name) {
        for (const Variable &v : saved.variables)
            if (v.name == QLatin1String(name))
                return v.value;
        return QStringLiteral("<missing>");
    };
    EXPECT_EQ(value("txt_01"), QStringLiteral("'Obchodní firma'"));
    EXPECT_EQ(value("rok1"), QStringLiteral("'2012'"));
    EXPECT_EQ(value("rok2"), QStringLiteral("'2013'"));
    EXPECT_EQ(saved.variables.size(), original.variables.size());

    // Undo goes back to the template as loaded, redo to what was saved.
    QUndoStack *undo = doc.undoStack();
    while (undo->canUndo())
        undo->undo();
    EXPECT_TRUE(report.templ() == original);
    EXPECT_TRUE(w->isWindowModified());
    while (undo->canRedo())
        undo->redo();
    EXPECT_TRUE(report.templ() == saved);
    EXPECT_FALSE(w->isWindowModified());
}

TEST_F(DesignerTest, MissingTemplateStartsEmptyA4AndSavingCreatesTheFile) {
    ASSERT_FALSE(report.loadFromFile(path));
    report.setFileName(path);
    report.setVariable(QStringLiteral("rok2"), QStringLiteral("'2013'"));
    auto w = open();
    DesignDocument &doc = w->document();

    const Page &page = doc.page();
    EXPECT_EQ(page.paper, QStringLiteral("A4"));
    EXPECT_EQ(page.size, QSizeF(210, 297));
    EXPECT_EQ(page.orientation, Orientation::Portrait);
    EXPECT_TRUE(page.margins == (Margins{10, 10, 10, 10}));
    EXPECT_TRUE(page.objects.empty());

    // A text placed with a click of the text tool gets the default font.
    action(*w, "toolText")->trigger();
    click(w->canvas(), QPointF(20, 30));
    ASSERT_EQ(doc.page().objects.size(), 1u);
    const TextObject &t = textAt(doc, 0);
    EXPECT_EQ(t.font.family, QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(t.font.size, 9.75);
    EXPECT_EQ(t.rect.topLeft(), QPointF(20, 30));
    EXPECT_EQ(w->canvas()->tool(), DesignCanvas::Tool::Select);

    action(*w, "actionSave")->trigger();
    ASSERT_TRUE(QFile::exists(path));
    const Template saved = loadTemplate(path);
    ASSERT_EQ(saved.pages.size(), 1u);
    EXPECT_EQ(saved.pages[0].paper, QStringLiteral("A4"));
    EXPECT_TRUE(saved.pages[0].margins == (Margins{10, 10, 10, 10}));
    ASSERT_EQ(saved.pages[0].objects.size(), 1u);
    EXPECT_EQ(std::get<TextObject>(saved.pages[0].objects[0]).font.family,
              QStringLiteral("Tahoma"));
    ASSERT_EQ(saved.variables.size(), 1u);
    EXPECT_EQ(saved.variables[0].value, QStringLiteral("'2013'"));
}

TEST_F(DesignerTest, RubberBandCtrlClickClipboardAndDelete) {
    loadSmall();
    auto w = open();
    DesignDocument &doc = w->document();
    DesignCanvas *canvas = w->canvas();

    // A band from an empty spot over A and B.
    drag(canvas, QPointF(5, 5), QPointF(60, 45));
    EXPECT_EQ(doc.selection(), (std::vector<int>{0, 1}));
    click(canvas, QPointF(120, 14), Qt::ControlModifier); // adds C
    EXPECT_EQ(doc.selection(), (std::vector<int>{0, 1, 2}));
    click(canvas, QPointF(30, 34), Qt::ControlModifier); // drops B
    EXPECT_EQ(doc.selection(), (std::vector<int>{0, 2}));
    click(canvas, QPointF(80, 60)); // the line
    EXPECT_EQ(doc.selection(), std::vector<int>{3});
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_TRUE(doc.selection().empty());

    // Copy A and C, paste: two new objects 5 mm off, selected, renamed.
    doc.setSelection({0, 2});
    action(*w, "actionCopy")->trigger();
    action(*w, "actionPaste")->trigger();
    ASSERT_EQ(doc.page().objects.size(), 7u);
    EXPECT_EQ(doc.selection(), (std::vector<int>{5, 6}));
    EXPECT_EQ(textAt(doc, 5).rect.topLeft(), QPointF(15, 15));
    EXPECT_EQ(textAt(doc, 5).text, QStringLiteral("[txt_01]"));
    EXPECT_NE(textAt(doc, 5).name, QStringLiteral("A"));
    EXPECT_EQ(textAt(doc, 6).rect.topLeft(), QPointF(105, 15));

    // Cut B, paste it back where it was.
    doc.setSelection({1});
    action(*w, "actionCut")->trigger();
    EXPECT_EQ(findText(doc.page(), QStringLiteral("[rok2]")), -1);
    action(*w, "actionPaste")->trigger();
    const int b = findText(doc.page(), QStringLiteral("[rok2]"));
    ASSERT_GE(b, 0);
    EXPECT_EQ(textAt(doc, b).rect, QRectF(10, 30, 40, 8));

    // Delete, then undo all of it.
    action(*w, "actionSelectAll")->trigger();
    QTest::keyClick(canvas, Qt::Key_Delete);
    EXPECT_TRUE(doc.page().objects.empty());
    while (doc.undoStack()->canUndo())
        doc.undoStack()->undo();
    EXPECT_TRUE(report.templ() == smallTemplate());
}

TEST_F(DesignerTest, GripsResizeBoxesAndMoveLineEnds) {
    loadSmall();
    auto w = open();
    DesignDocument &doc = w->document();
    DesignCanvas *canvas = w->canvas();

    click(canvas, QPointF(125, 95)); // the rectangle
    ASSERT_EQ(doc.selection(), std::vector<int>{4});
    drag(canvas, QPointF(150, 110), QPointF(160, 115)); // bottom-right grip
    EXPECT_EQ(std::get<RectObject>(*doc.object(4)).rect, QRectF(100, 80, 60, 35));
    drag(canvas, QPointF(100, 97.5), QPointF(170, 97.5)); // left grip past the right side
    EXPECT_EQ(std::get<RectObject>(*doc.object(4)).rect, QRectF(159, 80, 1, 35));

    click(canvas, QPointF(80, 60));                   // the line
    drag(canvas, QPointF(150, 60), QPointF(150, 70)); // its end
    const auto &l = std::get<LineObject>(*doc.object(3));
    EXPECT_EQ(l.from, QPointF(10, 60));
    EXPECT_EQ(l.to, QPointF(150, 70));

    // Keys: Ctrl moves in tenths, Shift resizes; repeated keys undo as one.
    click(canvas, QPointF(30, 14)); // A
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(canvas, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_NEAR(textAt(doc, 0).rect.x(), 9.7, 1e-9);
    QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(textAt(doc, 0).rect.width(), 41, 1e-9);
    doc.undoStack()->undo();
    doc.undoStack()->undo();
    EXPECT_EQ(textAt(doc, 0).rect, QRectF(10, 10, 40, 8));
}

TEST_F(DesignerTest, PropertiesPanelChangesEverySelectedObject) {
    loadSmall();
    auto w = open();
    DesignDocument &doc = w->document();
    PropertiesPanel *panel = w->properties();
    doc.setSelection({0, 1});
    const int steps = doc.undoStack()->count();

    panel->findChild<QCheckBox *>(QStringLiteral("propBold"))->setChecked(true);
    panel->findChild<QDoubleSpinBox *>(QStringLiteral("propX"))->setValue(25);
    panel->findChild<QCheckBox *>(QStringLiteral("propFrameBottom"))->setChecked(true);
    panel->findChild<QCheckBox *>(QStringLiteral("propWrap"))->setChecked(true);
    auto *align = panel->findChild<QComboBox *>(QStringLiteral("propAlign"));
    align->setCurrentIndex(align->findData(int(HAlign::Right)));
    panel->findChild<QCheckBox *>(QStringLiteral("propFill"))->setChecked(true);
    for (int i : {0, 1}) {
        const TextObject &t = textAt(doc, i);
        EXPECT_TRUE(t.font.bold);
        EXPECT_EQ(t.rect.x(), 25);
        EXPECT_TRUE(t.frame.bottom && !t.frame.top);
        EXPECT_TRUE(t.wordWrap);
        EXPECT_EQ(t.hAlign, HAlign::Right);
        EXPECT_TRUE(t.fill.isValid());
    }
    EXPECT_FALSE(textAt(doc, 2).font.bold); // not selected
    EXPECT_EQ(doc.undoStack()->count(), steps + 6);

    // Repeated changes of one field are one step.
    auto *fontSize = panel->findChild<QDoubleSpinBox *>(QStringLiteral("propFontSize"));
    fontSize->setValue(11);
    fontSize->setValue(12);
    fontSize->setValue(13);
    EXPECT_EQ(doc.undoStack()->count(), steps + 7);
    doc.undoStack()->undo();
    EXPECT_EQ(textAt(doc, 0).font.size, 10);

    // A line shows its start and its way to the end; a rectangle its width.
    doc.setSelection({3});
    EXPECT_EQ(panel->findChild<QDoubleSpinBox *>(QStringLiteral("propW"))->value(), 140);
    panel->findChild<QDoubleSpinBox *>(QStringLiteral("propLineWidth"))->setValue(2);
    EXPECT_EQ(std::get<LineObject>(*doc.object(3)).width, 2);
    EXPECT_FALSE(panel->findChild<QCheckBox *>(QStringLiteral("propFill"))->isEnabled());
}

TEST_F(DesignerTest, PageSetupChangesPaperOrientationAndMargins) {
    loadSmall();
    auto w = open();
    DesignDocument &doc = w->document();
    whenModal<PageSetupDialog>([](PageSetupDialog &d) {
        d.paperBox()->setCurrentIndex(d.paperBox()->findData(QStringLiteral("A5")));
        d.landscapeButton()->setChecked(true);
        d.marginBox(0)->setValue(15);
        d.accept();
    });
    w->pageSetup();
    EXPECT_EQ(doc.page().paper, QStringLiteral("A5"));
    EXPECT_EQ(doc.page().size, QSizeF(148, 210));
    EXPECT_EQ(doc.page().orientation, Orientation::Landscape);
    EXPECT_EQ(doc.page().margins.left, 15);
    EXPECT_EQ(w->canvas()->sizeHint().width() > w->canvas()->sizeHint().height(), true);
    doc.undoStack()->undo();
    EXPECT_EQ(doc.page().paper, QStringLiteral("A4"));
    EXPECT_EQ(doc.page().orientation, Orientation::Portrait);
}

TEST_F(DesignerTest, DesignReportIsModalOnceAndOffersTheDatasetColumns) {
    loadSmall();
    MemoryDataSet row = test::sampleRow();
    report.setDataSet(&row);
    bool nestedOpened = true;
    QStringList offered;
    whenModal<DesignerWindow>([&](DesignerWindow &w) {
        // A second designer on the same report does not open.
        nestedOpened = designReport(report, {}, &w);
        whenModal<TextDialog>([&](TextDialog &d) {
            const auto items = d.insertList()->findItems(QStringLiteral("*"),
                                                         Qt::MatchWildcard | Qt::MatchRecursive);
            for (QTreeWidgetItem *i : items)
                offered << i->text(0);
            d.reject();
        });
        w.editText(0);
        w.close();
    });
    EXPECT_FALSE(designReport(report, {}, nullptr));
    EXPECT_FALSE(nestedOpened);
    EXPECT_TRUE(offered.contains(QStringLiteral("nazevpodni")));
    EXPECT_TRUE(offered.contains(QStringLiteral("txt_01")));
    EXPECT_TRUE(offered.contains(QStringLiteral("Page#")));
    EXPECT_FALSE(QFile::exists(path)); // closing asked nothing and saved nothing
}

TEST_F(DesignerTest, SaveErrorShowsInTheEngineErrorBox) {
    loadSmall();
    report.setFileName(dir.filePath(QStringLiteral("chybi/zadost.fr3")));
    QStringList errors;
    ScopedEngineErrorHandler handler([&](const QString &m) { errors << m; });
    auto w = open();
    EXPECT_FALSE(w->save());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot create file")))
        << errors[0].toStdString();
    EXPECT_FALSE(w->wasSaved());
}

// Pictures for a look at the window: written when VARNOK_SHOTS names a
// directory.
TEST_F(DesignerTest, Screenshots) {
    const QString shots = qEnvironmentVariable("VARNOK_SHOTS");
    if (shots.isEmpty())
        GTEST_SKIP() << "VARNOK_SHOTS not set";
    QDir().mkpath(shots);
    loadShipped();
    auto w = open();
    w->resize(1400, 1000);
    const int title = findText(w->document().page(), QStringLiteral("[txt_77] [rok2]"));
    w->document().setSelection({title});
    QTest::qWait(50);
    EXPECT_TRUE(w->grab().save(shots + QStringLiteral("/designer.png")));
    EXPECT_TRUE(w->properties()->grab().save(shots + QStringLiteral("/properties.png")));
    w->document().setSelection({findText(w->document().page(), QStringLiteral("[txt_01]"))});
    whenModal<TextDialog>([&](TextDialog &d) {
        QTest::qWait(20);
        EXPECT_TRUE(d.grab().save(shots + QStringLiteral("/textdialog.png")));
        d.reject();
    });
    w->editText(w->document().selection().front());
    whenModal<PageSetupDialog>([&](PageSetupDialog &d) {
        QTest::qWait(20);
        EXPECT_TRUE(d.grab().save(shots + QStringLiteral("/pagesetup.png")));
        d.reject();
    });
    w->pageSetup();
}

} // namespace
