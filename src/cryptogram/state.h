#pragma once

#include "cryptogram/cryptogram.h"

#include <QString>

// The cryptogram subsystem's program-wide data, shared by its maker and play windows.
namespace cryptogram {

struct CryptogramState {
    Cryptogram puzzle;            // CryptogramText, CipherKey, StartingHints
    QString currentName;          // without extension; empty for an unsaved new puzzle
    bool makerStartsEmpty = true; // the maker opens empty (true) or on the loaded rows
};

} // namespace cryptogram
