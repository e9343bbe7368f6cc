#include "ui/form1.h"

namespace varnok {

void TForm1::preloz(const QString &) {}

} // namespace varnok
