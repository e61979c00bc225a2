#pragma once

#include "binds/games.h"

#include <QString>

#include <array>

namespace binds {

// The two families of engines, whose rules for reading console files differ: the
// original releases, and their maintained descendants.
enum class Engine {
    Io,       // ioquake3 and iortcw
    Original, // Quake III Arena 1.32 and RTCW 1.4
};
inline constexpr std::array<Engine, 2> allEngines = {Engine::Io, Engine::Original};

// The engine as a player of the game knows it: "ioquake3", "Quake III Arena 1.32",
// "iortcw", "RTCW 1.4".
QString engineName(Engine engine, const Game &game);

// The largest console file the engine runs: exec inserts the whole file, with a line
// end, into its command buffer, and a file that does not fit runs not at all.
qint64 fileLimitOf(Engine engine);

} // namespace binds
