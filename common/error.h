#pragma once

#include <QString>
#include <exception>

namespace varnok {

// Every failure the user may see travels as an Error carrying the exact
// message text; one place in the application shows it in the error box.
class Error : public std::exception {
public:
    explicit Error(QString message);
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A database error ("SQL chyba: %s" and the connection failures).
class SqlError : public Error {
public:
    using Error::Error;
};

// Thrown by a dialog's "zpět" path: ends a command silently.
class Abort : public std::exception {
public:
    const char *what() const noexcept override { return "abort"; }
};

// "'%s' is not a valid integer value" as the conversion of a text to a
// whole number reports it; used for the port and for years.
int toIntOrThrow(const QString &text);

} // namespace varnok
