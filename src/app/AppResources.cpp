#include "app/AppResources.h"

#include <QtGlobal>

// The pictures are compiled into the static library; without an explicit
// initialisation the linker would drop them from the program.
void initAppResources() {
    Q_INIT_RESOURCE(resources);
}
