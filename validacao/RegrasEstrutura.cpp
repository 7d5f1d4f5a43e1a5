#include "validacao/Regras.h"

namespace validacao {

namespace {

const QString regra = QStringLiteral("Estrutura");

// The record code as far as a broken line lets it be named.
QString codigoDe(const LinhaFCONT& linha) {
    return linha.registro().left(4);
}

// The rank of a record in the file's order; a child record (I051 under I050, I155 under I150,
// I250 under I200, I355 under I350) shares its parent's.
QHash<QString, int> ordemDosRegistros() {
    QHash<QString, int> ordem;
    int n = 0;
    for (const generation::RegistroLeiaute& r : generation::LeiauteRegistros()) {
        const bool filho = r.codigo == QLatin1String("I051") || r.codigo == QLatin1String("I155") ||
                           r.codigo == QLatin1String("I250") || r.codigo == QLatin1String("I355");
        ordem.insert(r.codigo, filho ? n : ++n);
    }
    return ordem;
}

QString paiDe(const QString& filho) {
    if (filho == QLatin1String("I051"))
        return QStringLiteral("I050");
    if (filho == QLatin1String("I155"))
        return QStringLiteral("I150");
    if (filho == QLatin1String("I250"))
        return QStringLiteral("I200");
    if (filho == QLatin1String("I355"))
        return QStringLiteral("I350");
    return {};
}

} // namespace

void VerificaDelimitadores(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        if (linha.delimitada)
            continue;
        if (linha.texto.isEmpty())
            Acha(achados, regra, Gravidade::Erro, &linha, {}, {}, {},
                 QStringLiteral("Linha vazia: cada linha do arquivo é um registro. ") + RefazerArquivo());
        else
            Acha(achados, regra, Gravidade::Erro, &linha, codigoDe(linha), {}, {},
                 QStringLiteral("A linha deve começar e terminar com \"|\". ") + RefazerArquivo());
    }
}

void VerificaRegistrosDoLeiaute(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        if (!linha.delimitada)
            continue;
        const generation::RegistroLeiaute* leiaute = c.leiaute(linha.registro());
        if (!leiaute)
            Acha(achados, regra, Gravidade::Erro, &linha, codigoDe(linha), QStringLiteral("REG"), {},
                 QStringLiteral("O registro \"%1\" não existe no leiaute do FCONT. ").arg(linha.registro()) +
                     RefazerArquivo());
        else if (leiaute->campos.size() != linha.campos.size())
            Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), {}, {},
                 QStringLiteral("O registro %1 tem %2 campos; o leiaute pede %3. Um \"|\" dentro de um texto "
                                "(nome de conta, histórico) também divide o campo. ")
                         .arg(linha.registro())
                         .arg(linha.campos.size())
                         .arg(leiaute->campos.size()) +
                     RefazerArquivo());
    }
}

void VerificaAberturaEFim(const Contexto& c, Achados& achados) {
    const QList<LinhaFCONT>& linhas = c.arquivo.linhas;
    if (linhas.isEmpty()) {
        Acha(achados, regra, Gravidade::Erro, nullptr, {}, {}, {},
             QStringLiteral("O arquivo está vazio. ") + RefazerArquivo());
        return;
    }
    if (linhas.first().registro() != QLatin1String("0000"))
        Acha(achados, regra, Gravidade::Erro, &linhas.first(), codigoDe(linhas.first()), {}, {},
             QStringLiteral("A primeira linha deve ser o registro 0000. ") + RefazerArquivo());
    if (linhas.last().registro() != QLatin1String("9999"))
        Acha(achados, regra, Gravidade::Erro, &linhas.last(), codigoDe(linhas.last()), {}, {},
             QStringLiteral("A última linha deve ser o registro 9999; o arquivo pode estar incompleto. ") +
                 RefazerArquivo());
}

void VerificaOrdemDosRegistros(const Contexto& c, Achados& achados) {
    static const QHash<QString, int> ordem = ordemDosRegistros();
    const LinhaFCONT* anterior = nullptr;
    for (const LinhaFCONT& linha : c.arquivo.linhas) {
        const auto posicao = ordem.constFind(linha.registro());
        if (posicao == ordem.constEnd())
            continue;
        const QString pai = paiDe(linha.registro());
        if (anterior) {
            const int antes = ordem.value(anterior->registro());
            if (*posicao < antes)
                Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), {}, {},
                     QStringLiteral("O registro %1 está fora de ordem: vem depois do %2 (linha %3). ")
                             .arg(linha.registro(), anterior->registro())
                             .arg(anterior->numero) +
                         RefazerArquivo());
            else if (!pai.isEmpty() && anterior->registro() != pai &&
                     anterior->registro() != linha.registro())
                Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), {}, {},
                     QStringLiteral("O registro %1 deve vir logo depois do seu %2 (ou de outro %1 dele). ")
                             .arg(linha.registro(), pai) +
                         RefazerArquivo());
        }
        anterior = &linha;
    }
}

void VerificaAberturasEEncerramentos(const Contexto& c, Achados& achados) {
    struct Unico {
        const char* codigo;
        const char* papel;
    };
    static const Unico unicos[] = {{"0000", "abertura do arquivo"},     {"I001", "abertura do bloco I"},
                                   {"I990", "encerramento do bloco I"}, {"J001", "abertura do bloco J"},
                                   {"J990", "encerramento do bloco J"}, {"M001", "abertura do bloco M"},
                                   {"M990", "encerramento do bloco M"}, {"9001", "abertura do bloco 9"},
                                   {"9990", "encerramento do bloco 9"}, {"9999", "encerramento do arquivo"}};
    for (const Unico& u : unicos) {
        const QString codigo = QString::fromLatin1(u.codigo);
        const LinhaFCONT* primeira = nullptr;
        for (const LinhaFCONT* linha : c.todasAsLinhas(codigo)) {
            if (!primeira)
                primeira = linha;
            else
                Acha(achados, regra, Gravidade::Erro, linha, codigo, {}, {},
                     QStringLiteral(
                         "O registro %1 (%2) aparece mais de uma vez; o primeiro está na linha %3. ")
                             .arg(codigo, QString::fromUtf8(u.papel))
                             .arg(primeira->numero) +
                         RefazerArquivo());
        }
        if (!primeira)
            Acha(achados, regra, Gravidade::Erro, nullptr, codigo, {}, {},
                 QStringLiteral("Falta o registro %1 (%2). ").arg(codigo, QString::fromUtf8(u.papel)) +
                     RefazerArquivo());
    }
}

} // namespace validacao
