#include <CLI/CLI.hpp>

#include "SmokeCommand.h"

// orvendal-host: the command-line host of the Orvendal QV plug-in. Each subcommand lives in
// a class of its own and registers itself here.
int main(int argc, char** argv)
{
    CLI::App app{"orvendal-host: the reference host for the Orvendal QV plug-in"};
    app.require_subcommand(1);
    int exitCode = 0;
    orv::apps::SmokeCommand::Register(app, &exitCode);
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError& error)
    {
        return app.exit(error);
    }
    return exitCode;
}
