// Choosing the company and year, opening (or generating) the year's
// application, and switching years with the tabs.
#include "ui/form1.h"

#include "app/inifile.h"
#include "app/state.h"
#include "common/error.h"
#include "common/formatsettings.h"
#include "records/opening.h"
#include "ui/messagedialog.h"
#include "ui/stopmessage.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QTabBar>
#include <QTimer>

namespace varnok {

namespace {

const QString kNoRow = QStringLiteral("Žádná věta žádosti o kredit pro rok ");

void selectTabOfYear(QTabBar *tabs, const QString &year) {
    // Every matching tab is made active in turn; the search goes on after
    // a match, as the tab texts are the years.
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == year)
            tabs->setCurrentIndex(i);
}

} // namespace

void TForm1::FormShow() {
    AppState &st = state();
    setDecimalSeparator(u',');

    const QString arg1 = m_args.value(0);
    if (!arg1.isEmpty()) {
        st.CurrentIco = arg1;
    } else {
        IniFile ini(windowStateFile());
        st.CurrentIco =
            ini.readString(QStringLiteral("Posledni"), QStringLiteral("ICO"), QString());
    }
    const QString arg2 = m_args.value(1);
    st.CurrentYear = !arg2.isEmpty() ? arg2 : QString::number(QDate::currentDate().year());

    if (otevri_vetu()) {
        suiImagePanel2->setText(ZQuery1->fieldByName(QStringLiteral("nazevpodni")).asString() +
                                u' ' + st.CurrentYear);
        preloz(st.PrintLanguage);
        selectTabOfYear(roky, st.CurrentYear);
    } else {
        showStopMessage(this, kNoRow + st.CurrentYear + u'!');
        // The program ends without the close handler: nothing is asked and
        // no statement is sent.
        m_terminating = true;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        hide();
    }
}

bool TForm1::otevri_vetu() {
    AppState &st = state();
    ZQuery &q = *ZQuery1;

    // A. Leaving the current row.
    bool goOn = true;
    if (q.active() && q.modified()) {
        if (pozor->ShowModal() == 2) {
            goOn = false;
        } else {
            q.close();
            opening::runStatement(q, QStringLiteral("rollback"));
        }
    } else {
        q.close();
    }

    // B. The first opening falls back to the newest year that has a row.
    if (st.FirstOpenPending) {
        const QString requested = st.CurrentYear;
        opening::selectRow(q, st.CurrentIco, st.CurrentYear);
        // Never below 2013, and never below the year asked for.
        while (q.isEmpty() && st.CurrentYear != QStringLiteral("2013") &&
               toIntOrThrow(st.CurrentYear) > 2013) {
            st.CurrentYear = opening::previousYear(st.CurrentYear);
            opening::selectRow(q, st.CurrentIco, st.CurrentYear);
        }
        if (!q.isEmpty()) {
            q.close();
            opening::runStatement(q, QStringLiteral("start transaction"));
            opening::selectRow(q, st.CurrentIco, st.CurrentYear);
            st.FirstOpenPending = false;
            return true;
        }
        q.close();
        st.CurrentYear = requested;
    }

    // C. General opening.
    if (!goOn)
        return false;
    opening::selectRow(q, st.CurrentIco, st.CurrentYear);
    if (q.isEmpty()) {
        q.close();
        opravdu->Text = QStringLiteral("Vygenerovat větu žádosti pro rok ") + st.CurrentYear + u'?';
        if (opravdu->ShowModal() == 2)
            return false;
        // D. Generation.
        for (const QStringList &statement :
             opening::generation(*ZConnection1, st.CurrentIco, st.CurrentYear))
            opening::runStatement(q, statement);
    }

    // E. Closing: the row is read again inside a new transaction.
    q.close();
    opening::runStatement(q, QStringLiteral("start transaction"));
    opening::selectRow(q, st.CurrentIco, st.CurrentYear);
    if (q.isEmpty()) {
        // Only a company missing from the address book generates nothing;
        // the window must not offer an empty row for editing.
        q.close();
        showStopMessage(
            this, QStringLiteral("Firma s IČO „%1“ není v adresáři firem, větu žádosti pro rok %2 "
                                 "nelze vygenerovat.")
                      .arg(st.CurrentIco, st.CurrentYear));
        return false;
    }
    st.FirstOpenPending = false;
    return true;
}

void TForm1::rokyTabActive(int tabIndex) {
    AppState &st = state();
    if (st.FirstOpenPending)
        return;
    const QString previous = st.CurrentYear;
    st.CurrentYear = roky->tabText(tabIndex);
    if (!otevri_vetu()) {
        st.CurrentYear = previous;
        // Runs this handler again, nested, for the previous year's tab.
        selectTabOfYear(roky, st.CurrentYear);
    }
    if (ZQuery1->active() && !ZQuery1->isEmpty())
        suiImagePanel2->setText(ZQuery1->fieldByName(QStringLiteral("nazevpodni")).asString() +
                                u' ' + st.CurrentYear);
}

} // namespace varnok
