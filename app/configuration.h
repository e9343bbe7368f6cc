#pragma once

#include <QString>

namespace varnok {

class ZConnection;

// Reads the connection settings of section "LogOn" ("IP", "Password",
// "User", "SQLport", "Database", in this order) into the connection, each
// key falling back on the connection's current value. A port that is not
// a whole number stops the reading with "'%s' is not a valid integer value".
void readConnectionSettings(const QString &iniPath, ZConnection &connection);

} // namespace varnok
