#pragma once
// Application-wide state handed to the engine: the options of the run, the
// busy and stop flags, the catalog form and listing flags, the version text
// and the message sink. One RunContext lives as long as the application;
// every engine object holds a reference to it instead of reading globals.

#include <atomic>
#include <string>

#include "app/MessageSink.h"
#include "app/RecoveryOptions.h"

namespace pw {

struct RunContext {
    RecoveryOptions options;
    // 1 while a run or a display works; guards every command that starts work.
    std::atomic<bool> isRunning{false};
    // Set by Stop; every long loop of the engine polls it.
    std::atomic<bool> stopRequested{false};
    // The catalog was read from the SQL Server 2000 system tables.
    std::atomic<bool> legacyCatalog{false};
    // The first display page of a table is being listed: large values show
    // placeholders and character data takes its code page from the column.
    std::atomic<bool> listingInProgress{false};
    // Filled from the boot page (" SQL Server 2008" …); empty until then.
    std::string versionText;
    MessageSink* sink = &nullMessageSink();

    bool stop() const { return stopRequested.load(std::memory_order_relaxed); }
    bool legacy() const { return legacyCatalog.load(std::memory_order_relaxed); }
    MessageSink& messages() const { return *sink; }
};

}  // namespace pw
