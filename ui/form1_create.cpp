#include "ui/form1.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace varnok {

TForm1::TForm1(const QStringList &args, const QString &programDir, QWidget *parent)
    : QWidget(parent), m_args(args), m_programDir(programDir) {
    ZConnection1 = new ZConnection(this);
    ZQuery1 = new ZQuery(ZConnection1, this);
    ZConnection1->setObjectName(QStringLiteral("ZConnection1"));
    ZQuery1->setObjectName(QStringLiteral("ZQuery1"));
    buildLayout();
    wireHandlers();
}

TForm1::~TForm1() = default;

QString TForm1::windowStateFile() const { return QString(); }
void TForm1::FormCreate() {}
void TForm1::suiButton1Click() { close(); }
void TForm1::tdGlobalHotKeys1HotKeys0Execute() {}
void TForm1::restoreFormStorage() {}
void TForm1::saveFormStorage() {}
void TForm1::showEvent(QShowEvent *event) { QWidget::showEvent(event); }
void TForm1::closeEvent(QCloseEvent *event) { QWidget::closeEvent(event); }

} // namespace varnok
