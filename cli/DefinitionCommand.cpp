// definition FILE OBJECT: the definition text of a view, procedure,
// function, trigger, default or check constraint.

#include <cstdio>
#include <string>

#include "catalog/Database.h"
#include "catalog/DefinitionReader.h"
#include "cli/Command.h"
#include "cli/OpenedFile.h"

namespace pw::cli {
namespace {

int runDefinition(const Arguments& arguments) {
    if (arguments.positionals.size() != 2) {
        printError("usage: definition FILE OBJECT");
        return kExitUsage;
    }
    auto opened = openDataFile(arguments.positionals[0]);
    if (!opened) return kExitUnreadable;
    Database database(*opened->file);
    opened->sink.finishLine();
    const std::string& name = arguments.positionals[1];
    const CatalogObject* object = nullptr;
    for (const CatalogObject& candidate : database.objects) {
        if (candidate.name != name) continue;
        // Prefer an object that has a definition over a table of the same name.
        if (!object || (Database::isObjectWithoutRows(candidate.type) && !Database::isObjectWithoutRows(object->type)))
            object = &candidate;
    }
    if (!object) {
        printError("no object named '" + name + "' in " + arguments.positionals[0]);
        return kExitUsage;
    }
    DefinitionReader definitions(database, *opened->file, opened->context);
    std::string text = definitions.definitionText(std::to_string(object->objectId));
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!text.empty() && text.back() != '\n') std::fputc('\n', stdout);
    return kExitOk;
}

CommandRegistration registration({"definition", "definition FILE OBJECT",
                                  "the definition text of a view, procedure, function, trigger, default or check "
                                  "constraint",
                                  {}, {}, runDefinition});

}  // namespace
}  // namespace pw::cli
