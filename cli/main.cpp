// pagewright-cli: read-only recovery of SQL Server data files from the
// command line. Each verb is registered from its own file.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Command.h"

namespace {

void printUsage(FILE* out) {
    std::fprintf(out,
                 "Usage: pagewright-cli COMMAND [ARGS...]\n"
                 "Reads Microsoft SQL Server data files (.mdf/.ndf) without a server; never writes to them.\n\n"
                 "Commands:\n");
    for (const auto& [name, command] : pw::cli::commandRegistry())
        std::fprintf(out, "  %-60s %s\n", command.synopsis.c_str(), command.description.c_str());
    std::fprintf(out,
                 "\nExit codes: 0 success, 1 a file that cannot be read, 2 usage error.\n"
                 "Run 'pagewright-cli COMMAND --help' for one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pw::cli;
    if (argc < 2) {
        printUsage(stderr);
        return kExitUsage;
    }
    std::string verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        printUsage(stdout);
        return kExitOk;
    }
    auto& registry = commandRegistry();
    auto it = registry.find(verb);
    if (it == registry.end()) {
        printError("unknown command '" + verb + "'");
        printUsage(stderr);
        return kExitUsage;
    }
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: pagewright-cli %s\n%s\n", it->second.synopsis.c_str(),
                        it->second.description.c_str());
            return kExitOk;
        }
    }
    Arguments arguments;
    if (!parseArguments(it->second, argc, argv, 2, arguments)) return kExitUsage;
    try {
        return it->second.run(arguments);
    } catch (const std::exception& error) {
        printError(std::string("internal error: ") + error.what());
        return kExitUnreadable;
    }
}
