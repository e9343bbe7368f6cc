#pragma once

#include "printing/template.h"

#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

namespace varnok::designer {

class DesignDocument;

// The designer's edits, each one undo step on the document. They work on
// the selected objects of the page shown unless they name an object.

// Ids of steps that undo together when repeated (arrow keys, a spin box).
enum MergeId { MergeKeyMove = 1, MergeKeyGrow, MergeProperty = 100 };

void moveSelection(DesignDocument &doc, const QPointF &delta, int mergeId = -1);
void growSelection(DesignDocument &doc, const QPointF &delta, int mergeId = -1);
void deleteSelection(DesignDocument &doc, const QString &text);

// Adds the objects on top of the page and selects them.
void insertObjects(DesignDocument &doc, std::vector<report::ReportObject> objects,
                   const QString &text);

void setObjectText(DesignDocument &doc, int index, const QString &text);

// Changes every selected object that edit accepts (it returns false for
// objects of a kind the property does not apply to).
void editSelection(DesignDocument &doc, const QString &text,
                   const std::function<bool(report::ReportObject &)> &edit, int mergeId = -1);

void bringToFront(DesignDocument &doc);
void sendToBack(DesignDocument &doc);

// Paper, orientation and margins of the page shown.
void setPageSetup(DesignDocument &doc, const report::Page &setup);

void addPage(DesignDocument &doc);
void removePage(DesignDocument &doc); // not the last one

void selectAll(DesignDocument &doc);

// The selected objects in drawing order.
std::vector<report::ReportObject> selectedObjects(const DesignDocument &doc);

// New objects with the defaults of the designer, placed in box (mm).
report::ReportObject newText(const QRectF &box);
report::ReportObject newLine(const QPointF &from, const QPointF &to);
report::ReportObject newRect(const QRectF &box);

} // namespace varnok::designer
