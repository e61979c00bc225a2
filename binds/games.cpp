#include "binds/games.h"

namespace binds {

const Game &quake3Game()
{
    static const Game game = {
        QStringLiteral("Quake3"),
        QStringLiteral("Quake 3"),
        QStringLiteral("Root Quake3 Dir"),
        QStringLiteral("/home/you/.q3a/"),
        QStringLiteral("C:\\Games\\Quake3\\"),
        QStringLiteral("baseq3"),
        QStringLiteral("q3config.cfg"),
        -1,
    };
    return game;
}

const Game &rtcwGame()
{
    static const Game game = {
        QStringLiteral("Return to Castle Wolfenstein Multiplayer"),
        QStringLiteral("RTCW"),
        QStringLiteral("RTCW Root Dir"),
        QStringLiteral("/home/you/.wolf/"),
        QStringLiteral("C:\\Games\\RTCW\\"),
        QStringLiteral("main"),
        QStringLiteral("wolfconfig_mp.cfg"),
        0,
    };
    return game;
}

} // namespace binds
