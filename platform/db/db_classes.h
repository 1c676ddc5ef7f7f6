// Registration of the database layer's runtime classes.
#pragma once

namespace platform {
// Registers every class of the database layer with the runtime (idempotent; runs when the
// library loads). Sources that add classes to the layer call it before their own rxInit.
void Register_Db_Classes();
}  // namespace platform
