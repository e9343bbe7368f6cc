#include "app/inifile.h"

#include "common/codepage.h"
#include "common/error.h"

#include <QFile>
#include <QSaveFile>

namespace varnok {

namespace {

constexpr int kMaxValue = 2047;

bool isSection(const QString &line, QString *name) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.contains(u']'))
        return false;
    *name = t.mid(1, t.indexOf(u']') - 1).trimmed();
    return true;
}

bool isKey(const QString &line, const QString &key, QString *value) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || line.trimmed().startsWith(u';'))
        return false;
    if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QStringList IniFile::readLines() const {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = cp1250::decode(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const {
    QString current;
    bool inSection = false;
    for (const QString &line : readLines()) {
        if (isSection(line, &current)) {
            inSection = current.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKey(line, key, &value))
            return value.left(kMaxValue);
    }
    return defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const {
    // The legacy reader converts like the port conversion, with a default
    // instead of the error.
    const QString text = readString(section, key, QString());
    try {
        return text.isEmpty() ? defaultValue : toIntOrThrow(text);
    } catch (const Error &) {
        return defaultValue;
    }
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value) {
    QStringList lines = readLines();
    const QString entry = key + u'=' + value;
    qsizetype sectionStart = -1, insertAt = -1;
    bool written = false;
    QString current;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        if (isSection(lines[i], &current)) {
            if (sectionStart >= 0)
                break; // the section ended without the key
            if (current.compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = insertAt = i + 1;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (isKey(lines[i], key, nullptr)) {
            lines[i] = entry;
            written = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionStart >= 0) {
            lines.insert(insertAt, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines << QString();
            lines << u'[' + section + u']' << entry;
        }
    }
    // Every byte of the code page decodes and encodes back unchanged, so the
    // other lines keep their bytes; only a new value with characters outside
    // Windows-1250 loses them, as the legacy 8-bit program could not hold them.
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QByteArray bytes;
    if (!cp1250::encode(text, &bytes))
        bytes = cp1250::encodeLossy(text);
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(m_path, f.errorString()));
}

} // namespace varnok
