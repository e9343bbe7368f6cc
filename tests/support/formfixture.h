#pragma once

#include "tests/support/testdb.h"
#include "ui/form1.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace varnok::test {

// The real window on a throwaway database: a program directory of its own
// with the configuration file beside it, the caption file in the current
// directory, and every statement the window sends recorded in order.
class FormFixture {
public:
    FormFixture();
    ~FormFixture();

    TestDatabase &db() { return *m_db; }
    QString programDir() const { return m_programDir; }
    // Writes programDir/../varnok05.ini for the test server; extra lines go
    // into the LogOn section before the server's keys, so they win.
    void writeConfiguration(const QString &extraLines = QString());

    // Creates the window (its start-up handler runs) with these arguments.
    TForm1 &create(const QStringList &args);
    // Shows it: the window-state storage and the show handler run.
    void show();
    TForm1 &form() { return *m_form; }
    void destroy();

    QStringList statements; // recorded since create()

private:
    std::unique_ptr<TestDatabase> m_db;
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_oldCurrent;
    std::unique_ptr<TForm1> m_form;
};

} // namespace varnok::test
