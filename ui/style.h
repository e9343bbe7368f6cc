#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace varnok {

// The look of the window and its dialogs, kept in one place.
namespace look {
inline const QColor kCaption(16, 50, 150);      // labels and group captions
inline const QColor kBackground(208, 218, 249); // window and labels
inline const QColor kTitle(0, 0, 128);          // the title panel
} // namespace look

// Tahoma 8 pt; where Tahoma is not installed a plain sans font of similar
// width stands in.
QFont windowFont();
// The one style sheet of the main window (its dialogs inherit it).
QString windowStyleSheet();

} // namespace varnok
