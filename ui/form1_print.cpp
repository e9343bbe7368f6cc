#include "ui/form1.h"

namespace varnok {

void TForm1::suiButton2Click() {}

} // namespace varnok
