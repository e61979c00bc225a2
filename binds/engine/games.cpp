#include "binds/engine/games.h"

namespace binds {

const Game &quake3Game()
{
    static const Game game = {
        QStringLiteral("Quake3"),
        QStringLiteral("Quake 3"),
        QStringLiteral("Root Quake3 Dir"),
        QStringLiteral("/home/you/.q3a/"),
        QStringLiteral("C:\\Program Files\\Quake III Arena\\"),
        QStringLiteral("baseq3"),
        // Quake Live keeps the player's binds in repconfig.cfg.
        {QStringLiteral("q3config.cfg"), QStringLiteral("repconfig.cfg")},
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
        QStringLiteral("C:\\Program Files\\Return to Castle Wolfenstein\\"),
        QStringLiteral("main"),
        {QStringLiteral("wolfconfig_mp.cfg")},
        0,
    };
    return game;
}

} // namespace binds
