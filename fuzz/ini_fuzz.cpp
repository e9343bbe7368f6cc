// The ini reader on arbitrary file contents: the configuration and the
// window-state file are plain text that anyone may edit.
#include "app/inifile.h"
#include "common/codepage.h"
#include "fuzzsupport.h"

#include <QFile>
#include <array>

using namespace varnok;

namespace {

struct Key {
    QString section, key;
};

// What the program reads of its two ini files.
const std::array<Key, 8> &programKeys() {
    static const std::array<Key, 8> keys = {{
        {QStringLiteral("LogOn"), QStringLiteral("IP")},
        {QStringLiteral("LogOn"), QStringLiteral("Password")},
        {QStringLiteral("LogOn"), QStringLiteral("User")},
        {QStringLiteral("LogOn"), QStringLiteral("SQLport")},
        {QStringLiteral("LogOn"), QStringLiteral("Database")},
        {QStringLiteral("TForm1"), QStringLiteral("FormVersion")},
        {QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex")},
        {QStringLiteral("Posledni"), QStringLiteral("ICO")},
    }};
    return keys;
}

QStringList readAll(const IniFile &ini) {
    QStringList values;
    for (const Key &k : programKeys())
        values << ini.readString(k.section, k.key, QStringLiteral("<none>"));
    return values;
}

bool storableWithoutLoss(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return cp1250::encode(cp1250::decode(f.readAll()), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = fuzz::writeInputFile(data, size);
    IniFile ini(path);

    const QStringList before = readAll(ini);
    for (const QString &v : before)
        fuzz::check(v.size() <= 2047, "values are cut at 2047 characters");
    const int port = ini.readInteger(QStringLiteral("LogOn"), QStringLiteral("SQLport"), -1);
    bool isInt = false;
    const int parsed = before[3].toInt(&isInt);
    fuzz::check(port == (isInt ? parsed : -1), "readInteger agrees with readString");

    // The window state writes the tab index on close: the key reads back
    // and no other key changes.
    const bool lossless = storableWithoutLoss(path);
    const QString tab = QString::number(size % 7);
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"), tab);
    fuzz::check(
        ini.readString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"), QString()) == tab,
        "a written key reads back");
    QStringList after = readAll(ini);
    after[6] = before[6];
    if (lossless)
        fuzz::check(after == before, "writing one key keeps the others");

    // A new section and a value in Windows-1250 with the separators in it.
    const QString value = QStringLiteral("a=b;c Žluťoučký kůň [x]");
    ini.writeString(QStringLiteral("Zkouška"), QStringLiteral("Klíč"), value);
    fuzz::check(ini.readString(QStringLiteral("zkouška"), QStringLiteral("klíč"), QString()) ==
                    value,
                "a new section reads back");
    return 0;
}
