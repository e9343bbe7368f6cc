#include "ui/form1.h"

namespace varnok {

void TForm1::suiDBEdit38Exit(TDBEdit *) {}
void TForm1::suiDBEdit54Exit(TDBEdit *) {}
void TForm1::suiDBEdit71Exit(TDBEdit *) {}
void TForm1::suiDBEdit87Exit(TDBEdit *) {}
void TForm1::suiDBEdit103Exit(TDBEdit *) {}
void TForm1::suiDBEdit119Exit(TDBEdit *) {}
void TForm1::suiDBEdit135Exit(TDBEdit *) {}
void TForm1::suiDBEdit18Exit(TDBEdit *) {}
void TForm1::suiDBEdit27Exit(TDBEdit *) {}
void TForm1::suiDBEdit12Exit(TDBEdit *) {}
void TForm1::suiDBEdit166Exit(TDBEdit *) {}
void TForm1::suiDBEdit151DblClick(TDBEdit *) {}

} // namespace varnok
