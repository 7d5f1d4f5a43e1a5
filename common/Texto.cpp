#include "common/Texto.h"

#include "platform/Regional.h"

namespace common {

namespace {

bool blankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

} // namespace

QString Trim(const QString& text) {
    return TrimRight(TrimLeft(text));
}

QString TrimLeft(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && blankOrControl(text[i]))
        ++i;
    return text.mid(i);
}

QString TrimRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && blankOrControl(text[end - 1]))
        --end;
    return text.left(end);
}

QString Q(const QString& text) {
    QString inner = text;
    inner.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

QString AplicaMascara(const QString& mascara, const QString& codigo) {
    if (Trim(mascara).isEmpty() || Trim(codigo).isEmpty())
        return QString();
    QString result;
    qsizetype p = 0;
    for (const QChar m : mascara) {
        if (m == QLatin1Char('9')) {
            // A blank inside the code still uses up its position.
            if (p < codigo.size() && !blankOrControl(codigo[p]))
                result += codigo[p];
            ++p;
        } else if (m != QLatin1Char(' ')) {
            result += m;
        }
    }
    while (result.size() < mascara.size())
        result += QLatin1Char('0');
    return result;
}

QString ExtraiCampo(const QString& texto, QChar delimitador, int n) {
    if (texto.isEmpty() || n < 1)
        return QString();
    const QStringList campos = texto.split(delimitador);
    if (n == 1)
        return campos.size() > 1 ? campos.first() : QString();
    // Past the last delimiter the loader keeps getting the last field.
    return n < campos.size() ? campos[n - 1] : campos.last();
}

QString LimpaPontuacao(const QString& texto) {
    QString result = texto;
    for (const char c : {'.', ',', '/', '-'})
        result.remove(QLatin1Char(c));
    return result;
}

double ArredondaValor(double valor) {
    return platform::regional::roundedValue(valor, 2);
}

} // namespace common
