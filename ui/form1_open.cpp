#include "ui/form1.h"

namespace varnok {

void TForm1::FormShow() {}
bool TForm1::otevri_vetu() { return false; }
void TForm1::rokyTabActive(int) {}
void TForm1::preloz(const QString &) {}

} // namespace varnok
