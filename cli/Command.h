#pragma once
// The subcommands of pagewright-cli. Each verb lives in its own file and
// registers itself with a static CommandRegistration.

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pw::cli {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;  // a file that cannot be read
constexpr int kExitUsage = 2;

// Parsed command line of one verb: positionals, "--name value" options and
// "--flag" switches (a switch is an option listed in `flags`).
struct Arguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::string> options;
    std::vector<std::string> switches;

    bool has(const std::string& name) const;
    std::string value(const std::string& name, const std::string& fallback = {}) const;
};

struct Command {
    std::string name;
    std::string synopsis;     // "info FILE [--format text|json]"
    std::string description;  // one line
    std::vector<std::string> valueOptions;  // options that take a value ("format")
    std::vector<std::string> switchOptions; // options without a value ("deleted")
    std::function<int(const Arguments&)> run;
};

std::map<std::string, Command>& commandRegistry();

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

// Parses argv[first..] for `command`; on a usage error prints it to stderr
// and returns false.
bool parseArguments(const Command& command, int argc, char** argv, int first, Arguments& out);

// Prints "pagewright-cli: message" to stderr.
void printError(const std::string& message);

}  // namespace pw::cli
