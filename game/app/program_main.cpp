// The program's entry point: the game handed to the framework's run.
#include <string>

#include "framework/app/application.h"
#include "game/app/game_app.h"

int main(int argc, char** argv)
{
    // The framework reads one command line, the way the user typed it.
    std::u16string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += u' ';
        for (const char* c = argv[i]; *c; ++c) commandLine += static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
    varnolis::GameApplication game;
    return vesk::app::RunApplication(commandLine, game);
}
