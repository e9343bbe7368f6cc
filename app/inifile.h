#pragma once

#include <QString>
#include <QStringList>

namespace varnok {

// The legacy ini files (configuration and window state): Windows-1250
// text, "[section]" lines, "key=value" lines. A value is the text after
// the first '=' with surrounding blanks trimmed, nothing unquoted or
// unescaped. Writing a key rewrites the file and keeps every other line.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // Values longer than 2047 characters are cut, as the legacy reader did.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // A value that is not a whole number gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Throws varnok::Error when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);

private:
    QStringList readLines() const;
    QString m_path;
};

} // namespace varnok
