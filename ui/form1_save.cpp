#include "ui/form1.h"

namespace varnok {

void TForm1::suiButton3Click() {}
void TForm1::FormClose(bool *) {}

} // namespace varnok
