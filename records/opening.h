#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace varnok {

class ZConnection;
class ZQuery;

// The statements that find, generate and open the application of one
// company and year. Company number and year are spliced between double
// quotes, escaped for the server so that neither can change a statement.
namespace opening {

QString rowSelect(ZConnection &c, const QString &ico, const QString &year);

// The twelve statements that generate a year's application from the
// address book, the dealer names, the previous year's sales and the
// prices and yields of the year's first application. Each statement is a
// list of lines.
std::vector<QStringList> generation(ZConnection &c, const QString &ico, const QString &year);

// The year before `year` ("'%s' is not a valid integer value" when the
// year is not a whole number).
QString previousYear(const QString &year);

// Close the dataset, replace its text by the row select, open it.
void selectRow(ZQuery &q, const QString &ico, const QString &year);

// Close the dataset, replace its text by the statement, execute it.
void runStatement(ZQuery &q, const QStringList &lines);
void runStatement(ZQuery &q, const QString &line);

} // namespace opening
} // namespace varnok
