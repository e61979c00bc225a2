#include "binds/engines.h"

#include "binds/bindline.h"

namespace binds {

QString engineName(Engine engine, const Game &game)
{
    return engine == Engine::Io ? game.ioEngine : game.originalEngine;
}

qint64 fileLimitOf(Engine engine)
{
    return engine == Engine::Io ? fileLimit : originalGamesFileLimit;
}

} // namespace binds
