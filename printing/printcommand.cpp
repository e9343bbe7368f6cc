#include "printing/printcommand.h"

#include "app/state.h"
#include "common/error.h"
#include "printing/errorbox.h"
#include "printing/preview.h"
#include "printing/waitcursor.h"
#include "records/query.h"
#include "texts/splitfield.h"
#include "texts/textfile.h"

#include <QCoreApplication>
#include <QDir>

namespace varnok::printing {

namespace {

const QString kTemplateFile = QStringLiteral("zadost.fr3");
const QString kCaptionFile = QStringLiteral("texty.txt");
const QString kPdfFile = QStringLiteral("zadost.pdf");
const QString kPdfDir = QStringLiteral("pdf");

QString quoted(const QString &text) {
    return u'\'' + text + u'\'';
}

// Runs a clean-up when the scope ends, however it ends.
template <class F> class Finally {
public:
    explicit Finally(F f) : m_f(std::move(f)) {}
    ~Finally() { m_f(); }
    Finally(const Finally &) = delete;
    Finally &operator=(const Finally &) = delete;

private:
    F m_f;
};

void processPendingEvents() {
    QCoreApplication::processEvents();
}

} // namespace

void setCaptionVariables(report::Report &report, const QStringList &lines,
                         const QString &language) {
    const int field = captionField(language);
    for (int i = 1; i <= lines.size(); ++i) {
        const QString text = SplitField(lines[i - 1], u';', field);
        const QString number = QStringLiteral("0") + QString::number(i);
        report.setVariable(QStringLiteral("txt_") + number.right(2), quoted(text));
    }
}

PrintCommand::PrintCommand(QObject *window) : QObject(window) {
    setObjectName(QStringLiteral("frxReport1"));
    m_report.setDataSet(&m_dataSet);
    installEngineErrorBox();
}

PrintCommand::~PrintCommand() = default;

PrintCommand &PrintCommand::of(QObject *window) {
    if (auto *existing = window->findChild<PrintCommand *>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new PrintCommand(window);
}

void PrintCommand::run(const PrintRequest &r) {
    // A click that arrives while the command lets pending events through
    // would start it again inside itself and clear the report it is
    // working on; it is dropped instead.
    if (m_running)
        return;
    m_running = true;
    const Finally done([this] { m_running = false; });
    AppState &st = *r.state;

    // 1. Unsaved edits: warn; "zpět" ends the command silently.
    if (r.query && r.query->active() && r.query->modified() && r.askUnsaved && r.askUnsaved() == 2)
        throw Abort();

    // 2-4. The template from the program directory; a missing one leaves
    // the report empty. The designer saves under the same name.
    const QString templatePath = r.programDir + kTemplateFile;
    m_report.clear();
    m_report.loadFromFile(templatePath, false);
    m_report.setFileName(templatePath);

    // 5. The caption file, by its bare name (the current directory).
    const QStringList lines = readTextLines(kCaptionFile);

    // 6-9. The captions in the print language; the language is Czech
    // again afterwards whatever happens.
    {
        const Finally backToCzech([&st] { st.PrintLanguage = QStringLiteral("cj"); });
        if (r.german)
            st.PrintLanguage = QStringLiteral("nj");
        setCaptionVariables(m_report, lines, st.PrintLanguage);
    }

    // 10. The two years.
    const int year = toIntOrThrow(st.CurrentYear);
    m_report.setVariable(QStringLiteral("rok1"), quoted(QString::number(year - 1)));
    m_report.setVariable(QStringLiteral("rok2"), quoted(st.CurrentYear));

    // 11.
    if (st.DesignRequested)
        designMode(r);
    else
        printMode(r);

    // 12.
    WaitCursor::stop();
    processPendingEvents();
}

void PrintCommand::designMode(const PrintRequest &r) {
    m_designerSettings.SaveDir = r.programDir;
    m_designerSettings.OpenDir = r.programDir;
    m_designerSettings.TemplateDir = r.programDir;
    // Stays for later preparations of this run too.
    m_report.engineOptions().tempDir = r.programDir;
    if (m_designer)
        m_designer(m_report, m_designerSettings, r.window);
    m_report.clear();
    r.state->DesignRequested = false;
}

void PrintCommand::printMode(const PrintRequest &r) {
    WaitCursor::start();
    // Should anything below throw, the hourglass must not stay.
    bool cursorRunning = true;
    const Finally stopCursor([&cursorRunning] {
        if (cursorRunning)
            WaitCursor::stop();
    });

    QDir().mkpath(r.programDir + kPdfDir); // the outcome does not matter
    processPendingEvents();

    m_dataSet.setQuery(r.query);
    if (!m_report.prepareReport(true)) {
        cursorRunning = false; // the engine has shown why; the end of run() stops it
        return;
    }

    cursorRunning = false;
    WaitCursor::stop();
    processPendingEvents();

    m_pdf.DefaultPath = r.programDir;
    m_pdf.FileName = kPdfFile;
    m_report.exportTo(m_pdf);

    {
        PreviewWindow preview(m_report, r.window);
        preview.exec();
    }
    processPendingEvents();
}

} // namespace varnok::printing
