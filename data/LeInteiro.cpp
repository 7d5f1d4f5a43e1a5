#include "data/LeInteiro.h"

namespace data {

bool LeInteiro(const QString& texto, int& valor) {
    int i = 0;
    while (i < texto.size() && texto.at(i) == QLatin1Char(' '))
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+')))
        negativo = texto.at(i++) == QLatin1Char('-');
    if (i >= texto.size())
        return false;
    qint64 n = 0;
    for (; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        n = n * 10 + (c.unicode() - '0');
        if (n > 2147483648LL)
            return false;
    }
    if (!negativo && n > 2147483647LL)
        return false;
    valor = static_cast<int>(negativo ? -n : n);
    return true;
}

} // namespace data
