#include "tests/support/formfixture.h"

#include "app/state.h"

#include <QDir>
#include <QFile>

namespace varnok::test {

FormFixture::FormFixture() : m_db(std::make_unique<TestDatabase>()) {
    m_programDir = m_dir.path() + QStringLiteral("/bin/");
    QDir().mkpath(m_programDir);
    // The caption file is read from the current directory.
    m_oldCurrent = QDir::currentPath();
    QFile::copy(QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt"),
                m_programDir + QStringLiteral("texty.txt"));
    QDir::setCurrent(m_programDir);
    writeConfiguration();
    state() = AppState();
}

FormFixture::~FormFixture() {
    destroy();
    QDir::setCurrent(m_oldCurrent);
}

void FormFixture::writeConfiguration(const QString &extraLines) {
    QFile f(m_dir.path() + QStringLiteral("/varnok05.ini"));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const ServerSettings &s = m_db->server();
    const QString text =
        QStringLiteral(
            "[LogOn]\r\n%6IP=%1\r\nPassword=%2\r\nUser=%3\r\nSQLport=%4\r\nDatabase=%5\r\n")
            .arg(s.host, s.password, s.user)
            .arg(s.port)
            .arg(m_db->name(), extraLines);
    f.write(text.toLatin1());
}

TForm1 &FormFixture::create(const QStringList &args) {
    destroy();
    statements.clear();
    m_form = std::make_unique<TForm1>(args, m_programDir);
    m_form->ZConnection1->addListener([this](const QString &sql) { statements << sql; });
    return *m_form;
}

void FormFixture::show() {
    m_form->show();
}

void FormFixture::destroy() {
    if (m_form) {
        m_form->hide();
        m_form.reset();
    }
}

} // namespace varnok::test
