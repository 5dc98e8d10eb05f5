// Internal to the stand-ins: each part clears its own state on Reset.
#pragma once

namespace standin {
void ResetFiles();
void ResetMemory();
void ResetProcess();
}  // namespace standin
