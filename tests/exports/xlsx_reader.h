#pragma once

#include <QMap>
#include <QString>

namespace varnok::test {

// A cell of a workbook as its XML holds it.
struct XlsxCell {
    QString text; // the shared string, or the number as written
    bool isNumber = false;
    int style = 0;
};

// Reads the first worksheet of an .xlsx file by unzipping its XML (the
// unzip tool): cells by reference ("A1"). Empty when the file cannot be
// read.
QMap<QString, XlsxCell> readFirstSheet(const QString &path);

// "B12" → column 1, row 11.
void cellPosition(const QString &ref, int *column, int *row);

} // namespace varnok::test
