#include "cli/Command.h"

#include <algorithm>
#include <cstdio>

namespace pw::cli {

bool Arguments::has(const std::string& name) const {
    return options.count(name) || std::find(switches.begin(), switches.end(), name) != switches.end();
}

std::string Arguments::value(const std::string& name, const std::string& fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

std::map<std::string, Command>& commandRegistry() {
    static std::map<std::string, Command> registry;
    return registry;
}

CommandRegistration::CommandRegistration(Command command) {
    std::string name = command.name;
    commandRegistry()[name] = std::move(command);
}

void printError(const std::string& message) { std::fprintf(stderr, "pagewright-cli: %s\n", message.c_str()); }

bool parseArguments(const Command& command, int argc, char** argv, int first, Arguments& out) {
    auto contains = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (int i = first; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.size() > 2 && argument.rfind("--", 0) == 0) {
            std::string name = argument.substr(2);
            std::string inlineValue;
            bool hasInline = false;
            if (auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name = name.substr(0, eq);
                hasInline = true;
            }
            if (contains(command.valueOptions, name)) {
                if (hasInline) {
                    out.options[name] = inlineValue;
                } else if (i + 1 < argc) {
                    out.options[name] = argv[++i];
                } else {
                    printError("option --" + name + " needs a value");
                    return false;
                }
            } else if (contains(command.switchOptions, name) && !hasInline) {
                out.switches.push_back(name);
            } else {
                printError("unknown option --" + name + " for '" + command.name + "'");
                return false;
            }
        } else {
            out.positionals.push_back(argument);
        }
    }
    return true;
}

}  // namespace pw::cli
