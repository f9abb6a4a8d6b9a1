#include "app/ProgramWindows.h"

namespace urn {

ProgramWindows::ProgramWindows(TQZ_menu& menu)
    : oProgramu(&menu), hlaska(&menu), preview(&menu), vstup(&menu, &hlaska), exportDat(&menu),
      pocetKopii(&menu), infoE(&menu), info(&menu) {
    menu.setWindows(
        {&oProgramu, &hlaska, &preview, &vstup, &exportDat, &pocetKopii, &infoE, &info});
}

} // namespace urn
