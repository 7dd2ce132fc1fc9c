#pragma once
// The one options record of the application, filled by the options dialog
// (or the command line) before a run and read by the engine.

#include <cstdint>
#include <string>

#include "app/CollationList.h"

namespace pw {

enum class RecoveryMode : int32_t { Standard = 1, Advanced = 2 };

struct RecoveryOptions {
    std::string mdfPath;
    int32_t recoveryMode = 0;  // 2 = Advanced, anything else Standard
    bool legacyCatalog = false;  // "Is SQL 2000": recorded only; the run detects the catalog form
    bool showDeleted = false;
    bool showAdvancedDeleted = false;
    std::string logFolder;  // always ends with a separator once set by the dialog
    CollationList collations;
    bool autoDetectCollation = true;
    int64_t manualCollationId = 0;
    bool collationKnown = false;
    int64_t databaseCollationId = -1;
    int32_t databaseCodePage = 1252;
    std::string databaseCollationName;

    bool advancedMode() const { return recoveryMode == int32_t(RecoveryMode::Advanced); }
};

}  // namespace pw
