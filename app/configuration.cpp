#include "app/configuration.h"

#include "app/inifile.h"
#include "common/error.h"
#include "records/connection.h"

namespace varnok {

void readConnectionSettings(const QString &iniPath, ZConnection &c) {
    const IniFile ini(iniPath);
    const QString section = QStringLiteral("LogOn");
    c.HostName = ini.readString(section, QStringLiteral("IP"), c.HostName);
    c.Password = ini.readString(section, QStringLiteral("Password"), c.Password);
    c.User = ini.readString(section, QStringLiteral("User"), c.User);
    c.Port =
        toIntOrThrow(ini.readString(section, QStringLiteral("SQLport"), QString::number(c.Port)));
    c.Database = ini.readString(section, QStringLiteral("Database"), c.Database);
}

} // namespace varnok
