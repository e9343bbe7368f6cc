#pragma once

#include <QString>

class QWidget;

namespace varnok {

// A message box made when needed and owned by the window: caption
// "Varnok05", one button "OK", the stop icon.
void showStopMessage(QWidget *owner, const QString &text);

} // namespace varnok
