// The captions of the window's labels, group boxes and pages, from the
// caption file in the language given.
#include "ui/form1.h"

#include "texts/textfile.h"

namespace varnok {

void TForm1::preloz(const QString &language) {
    const QStringList lines = readTextLines(QStringLiteral("texty.txt"));
    std::vector<CaptionTarget> targets;
    targets.reserve(m_captioned.size());
    for (const Captioned &c : m_captioned)
        targets.emplace_back(
            c.tag, [this, control = c.control](const QString &text) { setCaption(control, text); });
    applyCaptions(lines, captionField(language), targets);
}

} // namespace varnok
