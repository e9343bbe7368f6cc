// Creating the window, its start-up handler, the window-state storage and
// the close request.
#include "ui/form1.h"

#include "app/configuration.h"
#include "app/hotkey.h"
#include "app/inifile.h"
#include "app/state.h"
#include "common/error.h"
#include "ui/guard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QShowEvent>
#include <QTabBar>

namespace varnok {

namespace {
const QString kStorageSection = QStringLiteral("TForm1");
}

TForm1::TForm1(const QStringList &args, const QString &programDir, QWidget *parent)
    : QWidget(parent), m_args(args), m_programDir(programDir) {
    setObjectName(QStringLiteral("Form1"));
    ZConnection1 = new ZConnection(this);
    ZConnection1->setObjectName(QStringLiteral("ZConnection1"));
    ZQuery1 = new ZQuery(ZConnection1, this);
    ZQuery1->setObjectName(QStringLiteral("ZQuery1"));
    ZQuery1->sql() << QStringLiteral("select * from zadost_kredit");
    m_hotKey = new GlobalHotKey(this);
    buildLayout();
    wireHandlers();
    guarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
    // A window destroyed without a close request still leaves its state.
    if (m_shown && !m_storageSaved)
        saveFormStorage();
}

QString TForm1::windowStateFile() const {
    return m_programDir + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".INI");
}

QString TForm1::configurationFile() const {
    return m_programDir + QStringLiteral("../varnok05.ini");
}

void TForm1::FormCreate() {
    AppState &st = state();
    st.FirstOpenPending = true;
    m_hotKey->setActive(false);
    if (m_args.contains(QStringLiteral("/edit"))) {
        // Registered once, however often the switch is given.
        m_hotKey->setHandler([this] { guarded([this] { tdGlobalHotKeys1HotKeys0Execute(); }); });
        m_hotKey->setKey(QStringLiteral("Shift+Ctrl+F10"));
        m_hotKey->setActive(true);
    }
    st.PrintLanguage = QStringLiteral("cj");
    st.DesignRequested = false;
    readConnectionSettings(configurationFile(), *ZConnection1);
    ZQuery1->sql().clear();
    ZQuery1->sql() << QStringLiteral("set names cp1250");
    ZQuery1->execSQL();
    ZQuery1->sql().clear();
}

void TForm1::suiButton1Click() {
    close();
}

void TForm1::tdGlobalHotKeys1HotKeys0Execute() {
    // Bring the program to the front; only a window in its normal state
    // (neither minimised nor maximised) arms the designer.
    const bool normal =
        !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    raise();
    activateWindow();
    if (normal)
        state().DesignRequested = true;
}

void TForm1::restoreFormStorage() {
    try {
        IniFile ini(windowStateFile());
        if (ini.readInteger(kStorageSection, QStringLiteral("FormVersion"), 0) < 0)
            return;
        const int index =
            ini.readInteger(kStorageSection, QStringLiteral("roky_TabIndex"), roky->currentIndex());
        if (index >= 0 && index < roky->count())
            roky->setCurrentIndex(index);
    } catch (...) {
        // A damaged window-state file is not worth a message.
    }
}

void TForm1::saveFormStorage() {
    m_storageSaved = true;
    IniFile ini(windowStateFile());
    ini.writeString(kStorageSection, QStringLiteral("FormVersion"), QStringLiteral("0"));
    ini.writeString(kStorageSection, QStringLiteral("roky_TabIndex"),
                    QString::number(roky->currentIndex()));
}

void TForm1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    restoreFormStorage();
    guarded([this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent *event) {
    if (m_terminating) {
        event->accept();
        return;
    }
    guarded([this] { saveFormStorage(); });
    // Text typed into the focused field counts as a change: it is stored
    // (and the field's handler runs) as if the field had been left.
    if (QWidget *focused = focusWidget()) {
        focused->clearFocus();
        if (focusWidget() == focused) {
            event->ignore(); // the text could not be stored; its error was shown
            return;
        }
    }
    bool canClose = true;
    bool failed = true;
    guarded([&] {
        FormClose(&canClose);
        failed = false;
    });
    if (failed || !canClose)
        event->ignore();
    else
        event->accept();
}

} // namespace varnok
