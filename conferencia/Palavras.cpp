#include "conferencia/Palavras.h"

namespace conferencia {

namespace {

// Words that every other account name carries and that say nothing of what the account holds.
const QSet<QString>& palavrasVazias() {
    static const QSet<QString> vazias = {
        QStringLiteral("de"),  QStringLiteral("da"),    QStringLiteral("do"),     QStringLiteral("das"),
        QStringLiteral("dos"), QStringLiteral("e"),     QStringLiteral("em"),     QStringLiteral("no"),
        QStringLiteral("na"),  QStringLiteral("nos"),   QStringLiteral("nas"),    QStringLiteral("ao"),
        QStringLiteral("aos"), QStringLiteral("para"),  QStringLiteral("por"),    QStringLiteral("com"),
        QStringLiteral("sem"), QStringLiteral("os"),    QStringLiteral("as"),     QStringLiteral("um"),
        QStringLiteral("uma"), QStringLiteral("sobre"), QStringLiteral("outros"), QStringLiteral("outras"),
    };
    return vazias;
}

// Chart names abbreviate freely ("Fornec. nacionais", "Depr. acumulada") and vary in number and
// gender ("Receita", "Receitas"); five leading characters keep most of a word's meaning and match
// its abbreviations and inflections, at the price of an occasional false match that the
// confidence of this kind of suggestion allows for.
constexpr int tamanhoDaRaiz = 5;

} // namespace

QSet<QString> Palavras(const QString& nome) {
    QString simples;
    for (const QChar c : nome.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            simples += c.toLower();
    QSet<QString> palavras;
    QString palavra;
    auto fecha = [&] {
        if (palavra.size() > 1 && !palavrasVazias().contains(palavra))
            palavras.insert(palavra.left(tamanhoDaRaiz));
        palavra.clear();
    };
    for (const QChar c : simples) {
        if (c.isLetterOrNumber())
            palavra += c;
        else
            fecha();
    }
    fecha();
    return palavras;
}

double Semelhanca(const QSet<QString>& a, const QSet<QString>& b) {
    if (a.isEmpty() || b.isEmpty())
        return 0;
    int comuns = 0;
    for (const QString& p : a)
        comuns += b.contains(p) ? 1 : 0;
    return 2.0 * comuns / static_cast<double>(a.size() + b.size());
}

} // namespace conferencia
