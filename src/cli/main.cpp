// drossel-cli: the desktop program's operations from a shell.

#include "cli/CliContext.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    using namespace drossel::cli;
    CLI::App app{"Drossel: unpack and convert the resources of Oni level files", "drossel-cli"};
    app.require_subcommand(1);
    app.fallthrough();
    CliContext context;
    AddCommonOptions(app, context.options);
    AddInfoCommands(app, context);
    AddExtractCommands(app, context);
    AddEditCommands(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return kOk;
    } catch (const CLI::ParseError& e) {
        std::cerr << "drossel-cli: " << e.what() << "\n\n" << app.help();
        return kUsage;
    }
    try {
        return context.run ? context.run() : kUsage;
    } catch (const UsageError& e) {
        std::cerr << "drossel-cli: " << e.message << "\n\n" << app.help();
        return kUsage;
    } catch (const std::exception& e) {
        std::cerr << "drossel-cli: " << e.what() << '\n';
        return kFailed;
    }
}
