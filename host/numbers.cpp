#include "host/numbers.h"

#include <QLocale>

namespace host {

QString englishNumber(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

} // namespace host
