#include <CLI/CLI.hpp>

#include <iostream>

#include "EditorCommand.h"
#include "ExitCodes.h"
#include "InfoCommand.h"
#include "RenderCommand.h"
#include "SmokeCommand.h"
#include "StateCommand.h"
#include "ValidateCommand.h"

// orvendal-host: the command-line host of the Orvendal QV plug-in. Each subcommand lives in
// a class of its own and registers itself here.
int main(int argc, char** argv)
{
    CLI::App app{"orvendal-host: the reference host for the Orvendal QV plug-in"};
    app.require_subcommand(1);
    int exitCode = 0;
    orv::apps::SmokeCommand::Register(app, &exitCode);
    orv::apps::InfoCommand::Register(app, &exitCode);
    orv::apps::RenderCommand::Register(app, &exitCode);
    orv::apps::StateCommand::Register(app, &exitCode);
    orv::apps::EditorCommand::Register(app, &exitCode);
    orv::apps::ValidateCommand::Register(app, &exitCode);
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp& help)
    {
        return app.exit(help);
    }
    catch (const CLI::CallForAllHelp& help)
    {
        return app.exit(help);
    }
    catch (const CLI::ParseError& error)
    {
        // One line, and nothing has been written: the commands run only after parsing.
        std::cerr << "orvendal-host: " << error.what() << " (see --help)\n";
        return orv::apps::kExitUsage;
    }
    return exitCode;
}
