#pragma once
// "Reassign": throws every stored RAM assignment of the project away (after a confirmation), so
// that the next compile packs everything anew from the bottom of RAM.
#include "app/Dialogs.h"
#include "app/Project.h"

namespace z7 {

// False when the user said No (nothing changed).
bool ReassignRam(Project& project, Dialogs& dialogs);

}  // namespace z7
