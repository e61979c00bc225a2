#pragma once

#include <QString>

namespace host {

// The one way a function here fails: it takes `QString *error = nullptr` last, returns
// false or nullopt, and writes why into error only when the caller asked for it.
inline void setError(QString *error, const QString &why)
{
    if (error)
        *error = why;
}

} // namespace host
