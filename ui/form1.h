#pragma once

#include "records/query.h"

#include <QStringList>
#include <memory>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace varnok {

class TDBEdit;
class TMessageDialog;
class GlobalHotKey;
class IniFile;

// The one main window (Form1). Its layout is built from tables in
// form1_layout.cpp; every event reaches one handler below, named after its
// component and event. The handlers only order the steps; the work is done
// in records/, calc/, texts/ and printing/.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // args: the command-line arguments without the program name.
    // programDir: directory of the program file, with a trailing '/'.
    explicit TForm1(const QStringList &args, const QString &programDir, QWidget *parent = nullptr);
    ~TForm1() override;

    QString programDir() const { return m_programDir; }
    QString windowStateFile() const;   // programDir + program name + ".INI"
    QString configurationFile() const; // programDir + "../varnok05.ini"
    QStringList args() const { return m_args; }

    // Non-visual components.
    ZConnection *ZConnection1 = nullptr;
    ZQuery *ZQuery1 = nullptr;

    // Visual components the handlers talk to (all others are found by
    // their object names).
    QTabWidget *suiPageControl1 = nullptr;
    QTabBar *roky = nullptr;
    QLabel *suiImagePanel2 = nullptr;
    QCheckBox *suiCheckBox1 = nullptr;
    QPushButton *suiButton1 = nullptr; // konec
    QPushButton *suiButton2 = nullptr; // tisk
    QPushButton *suiButton3 = nullptr; // uložit
    TMessageDialog *pozor = nullptr;
    TMessageDialog *ulozit = nullptr;
    TMessageDialog *opravdu = nullptr;

    // Components that carry a caption number (Tag > 0), in creation order:
    // labels, group boxes and pages. The caption walk uses this order.
    struct Captioned {
        QObject *control;
        int tag;
    };
    const std::vector<Captioned> &captionedComponents() const { return m_captioned; }
    void setCaption(QObject *control, const QString &caption);
    QString caption(QObject *control) const;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormClose(bool *canClose);
    void rokyTabActive(int tabIndex);
    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();
    void suiDBEdit38Exit(TDBEdit *sender);
    void suiDBEdit54Exit(TDBEdit *sender);
    void suiDBEdit71Exit(TDBEdit *sender);
    void suiDBEdit87Exit(TDBEdit *sender);
    void suiDBEdit103Exit(TDBEdit *sender);
    void suiDBEdit119Exit(TDBEdit *sender);
    void suiDBEdit135Exit(TDBEdit *sender);
    void suiDBEdit18Exit(TDBEdit *sender);
    void suiDBEdit27Exit(TDBEdit *sender);
    void suiDBEdit12Exit(TDBEdit *sender);
    void suiDBEdit166Exit(TDBEdit *sender);
    void suiDBEdit151DblClick(TDBEdit *sender);
    void tdGlobalHotKeys1HotKeys0Execute();

    // Own routines.
    bool otevri_vetu();
    void preloz(const QString &language);

    // Window-state storage (FormStorage1).
    void restoreFormStorage(); // before FormShow
    void saveFormStorage();    // at every close request

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout(); // form1_layout.cpp
    void wireHandlers();

    QStringList m_args;
    QString m_programDir;
    std::vector<Captioned> m_captioned;
    bool m_shown = false;
    bool m_terminating = false; // ending after a declined start-up
    bool m_storageSaved = false;
    std::shared_ptr<void> m_printComponents; // exports and designer, made at the first print
    GlobalHotKey *m_hotKey = nullptr;
};

} // namespace varnok
