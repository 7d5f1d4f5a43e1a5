#include "common/MontaFiltro.h"

#include "common/Texto.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "platform/Regional.h"

namespace common {

namespace {

enum class Tipo { Texto, Inteiro, Real, Data, Hora, DataHora, Outro };

Tipo tipoDoCampo(int codigo) {
    switch (codigo) {
    case 1:
    case 16:
        return Tipo::Texto;
    case 2:
    case 3:
    case 25:
        return Tipo::Inteiro;
    case 6:
    case 7:
        return Tipo::Real;
    case 9:
    case 11:
        return Tipo::Data;
    case 10:
        return Tipo::Hora;
    case 36:
        return Tipo::DataHora;
    default:
        return Tipo::Outro;
    }
}

[[noreturn]] void falha(const QString& mensagem) {
    platform::dialogs().plainMessage(mensagem);
    throw platform::SilentAbort();
}

bool curinga(const QString& v) {
    return v == QLatin1String("%") || v == QLatin1String("%%");
}

QString filtroTexto(const QString& f, const QString& v1, const QString& v2, const QString& op) {
    QString r;
    if (!v1.isEmpty() && !curinga(v1)) {
        if (op == QLatin1String("I")) {
            r = " and " + f + " like " + Q(v1);
        } else if (op == QLatin1String("=")) {
            r = " and " + f + " = " + Q(v1);
        } else if (op == QLatin1String("E")) {
            r = " and ((" + f + " <> " + Q(v1) + ") or (" + f + " is null))";
        } else if (op == QLatin1String("F")) {
            r = " and " + f + " >= " + Q(v1);
        } else if (op == QLatin1String("N")) {
            r = " and not(" + f + " >= " + Q(v1) + ")";
            if (!Trim(v2).isEmpty())
                r += " and not(" + f + " <= " + Q(v2) + ")";
        } else if (op == QLatin1String("C")) {
            r = " and " + f + " Containing " + Q(v1);
        } else if (op == QLatin1String("G")) {
            // Every blank ends a word, so two blanks in a row search for an empty word.
            QStringList palavras = (v1 + QLatin1Char(' ')).split(QLatin1Char(' '));
            palavras.removeLast();
            r = " and (";
            for (const QString& w : palavras)
                r += f + " Containing " + Q(w) + " and ";
            r.chop(4);
            r += " )";
        }
    }
    if (!v2.isEmpty() && op != QLatin1String("N") && !curinga(v2))
        r += " and " + f + " <= " + Q(v2);
    return r;
}

QString filtroInteiro(const QString& f, const QString& v1, const QString& v2, const QString& op) {
    auto valor = [](const QString& v) {
        bool ok = false;
        const qint64 n = v.trimmed().toLongLong(&ok);
        if (!ok)
            falha(QStringLiteral("Valor não trata-se de um tipo inteiro"));
        return n;
    };
    QString r;
    if (!v1.isEmpty() && valor(v1) != 0) {
        const QString n1 = QString::number(valor(v1));
        if (op == QLatin1String("I") || op == QLatin1String("C")) {
            r = " and " + f + " = " + n1;
        } else if (op == QLatin1String("E")) {
            r = " and ((" + f + " <> " + n1 + ") or (" + f + " is null))";
        } else if (op == QLatin1String("F")) {
            r = " and " + f + " >= " + n1;
        } else if (op == QLatin1String("N")) {
            r = " and not(" + f + " >= " + n1 + ")";
            if (!v2.isEmpty() && valor(v2) != 0)
                r += " and not(" + f + " <= " + QString::number(valor(v2)) + ")";
        }
    }
    if (!v2.isEmpty() && op != QLatin1String("N") && valor(v2) != 0)
        r += " and " + f + " <= " + QString::number(valor(v2));
    return r;
}

QString filtroReal(const QString& f, const QString& v1, const QString& v2, const QString& op) {
    auto valor = [](const QString& v) {
        const auto x = platform::regional::parseFloat(v);
        if (!x)
            falha(QStringLiteral("Valor não trata-se de um tipo real"));
        return *x;
    };
    // Cents as a whole number, so the statement never carries a decimal separator.
    auto centavos = [&](const QString& v) {
        return platform::regional::formatFloat(QStringLiteral("000000000000"), valor(v) * 100);
    };
    QString r;
    if (!v1.isEmpty() && valor(v1) != 0) {
        const QString r1 = centavos(v1);
        if (op == QLatin1String("I") || op == QLatin1String("C")) {
            r = " and " + f + " = (" + r1 + "/100)";
        } else if (op == QLatin1String("E")) {
            r = " and ((" + f + " <> (" + r1 + "/100)) or (" + f + " is null)) ";
        } else if (op == QLatin1String("F")) {
            r = " and " + f + " >= (" + r1 + "/100)";
        } else if (op == QLatin1String("N")) {
            r = " and not(" + f + " >= (" + r1 + "/100) )";
            if (!v2.isEmpty() && valor(v2) != 0)
                r += " and not(" + f + " <= (" + centavos(v2) + "/100) )";
        }
    }
    if (!v2.isEmpty() && op != QLatin1String("N") && valor(v2) != 0)
        r += " and " + f + " <= (" + centavos(v2) + "/100)";
    return r;
}

// Dates and timestamps differ only in the text "00/00/00" stands for and in the time written
// after the date of each comparison.
QString filtroData(const QString& f, QString v1, QString v2, const QString& op, const QDate& hoje,
                   bool carimbo) {
    using platform::regional::formatDate;
    const QString hojeInicio = carimbo ? QStringLiteral("dd/mm/yy 00:00:00") : QStringLiteral("dd/mm/yy");
    const QString hojeFim = carimbo ? QStringLiteral("dd/mm/yy 23:59:59") : QStringLiteral("dd/mm/yy");
    if (v1 == QLatin1String("00/00/00"))
        v1 = formatDate(hojeInicio, hoje);
    if (v2 == QLatin1String("00/00/00"))
        v2 = formatDate(hojeFim, hoje);

    const QString simples = QStringLiteral("mm/dd/yy");
    const QString inicio = carimbo ? QStringLiteral("mm/dd/yy 00:00:00") : simples;
    const QString fim = carimbo ? QStringLiteral("mm/dd/yy 23:59:59") : simples;
    auto d = [&](const QString& v, const QString& figura) {
        const auto data = platform::regional::parseDate(v, hoje);
        if (!data)
            falha(QStringLiteral("Valor não trata-se de um tipo data"));
        return Q(formatDate(figura, *data));
    };
    auto vazio = [](const QString& v) { return v.isEmpty() || v == QLatin1String("  /  /  "); };

    QString r;
    if (!vazio(v1)) {
        if (op == QLatin1String("I") || op == QLatin1String("C")) {
            r = " and " + f + " = " + d(v1, simples);
        } else if (op == QLatin1String("E")) {
            r = " and " + f + " <> " + d(v1, simples);
        } else if (op == QLatin1String("F")) {
            r = " and " + f + " >= " + d(v1, inicio);
        } else if (op == QLatin1String("N")) {
            r = " and not(" + f + " >= " + d(v1, inicio) + ")";
            if (!vazio(v2))
                r += " and not(" + f + " <= " + d(v2, fim) + ")";
        }
    }
    if (!vazio(v2) && op != QLatin1String("N"))
        r += " and " + f + " <= " + d(v2, fim);
    return r;
}

QString filtroHora(const QString& f, const QString& v1, const QString& v2, const QString& op) {
    auto t = [](const QString& v) {
        const auto hora = platform::regional::parseTime(v);
        if (!hora)
            falha(QStringLiteral("Valor não trata-se de um tipo data"));
        return Q(platform::regional::formatDateTime(QStringLiteral("hh:mm"),
                                                    QDateTime(QDate(1899, 12, 30), *hora)));
    };
    auto vazio = [](const QString& v) { return v.isEmpty() || v == QLatin1String("  :  "); };

    QString r;
    if (!vazio(v1)) {
        if (op == QLatin1String("I") || op == QLatin1String("C"))
            r = " and " + f + " = " + t(v1);
        else if (op == QLatin1String("E"))
            r = " and " + f + " <> " + t(v1);
        else if (op == QLatin1String("F"))
            r = " and " + f + " >= " + t(v1);
    }
    if (!vazio(v2))
        r += " and " + f + " <= " + t(v2);
    return r;
}

} // namespace

QString MontaFiltro(const QString& campo, const QString& valor1, const QString& valor2,
                    const QString& operador, int tipoCampo) {
    return MontaFiltro(campo, valor1, valor2, operador, tipoCampo, QDate::currentDate());
}

QString MontaFiltro(const QString& campo, const QString& valor1, const QString& valor2,
                    const QString& operador, int tipoCampo, const QDate& hoje) {
    const QString op = operador.toUpper();
    switch (tipoDoCampo(tipoCampo)) {
    case Tipo::Texto:
        return filtroTexto(campo, valor1, valor2, op);
    case Tipo::Inteiro:
        return filtroInteiro(campo, valor1, valor2, op);
    case Tipo::Real:
        return filtroReal(campo, valor1, valor2, op);
    case Tipo::Data:
        return filtroData(campo, valor1, valor2, op, hoje, false);
    case Tipo::DataHora:
        return filtroData(campo, valor1, valor2, op, hoje, true);
    case Tipo::Hora:
        return filtroHora(campo, valor1, valor2, op);
    case Tipo::Outro:
        break;
    }
    return QString();
}

} // namespace common
