#include "validacao/Regras.h"

#include <QSet>

namespace validacao {

namespace {

const QString regra = QStringLiteral("Campos");

QString onde(const QString& registro, const QString& campo) {
    const QString lugar = OndeCorrigir(registro, campo);
    return lugar.isEmpty() ? RefazerArquivo() : QStringLiteral("Corrija em: ") + lugar;
}

// Each well-formed line of every record type, with the positions of its fields that `escolhe`
// takes.
template <typename Escolhe, typename Faz> void paraCadaCampo(const Contexto& c, Escolhe escolhe, Faz faz) {
    for (const generation::RegistroLeiaute& r : generation::LeiauteRegistros()) {
        QList<int> posicoes;
        for (int i = 1; i < r.campos.size(); ++i)
            if (escolhe(r.campos[i]))
                posicoes.append(i);
        if (posicoes.isEmpty())
            continue;
        for (const LinhaFCONT* linha : c.linhas(r.codigo))
            for (const int i : posicoes)
                faz(*linha, r.campos[i].nome, linha->campos[i]);
    }
}

bool soAlgarismos(const QString& texto) {
    for (const QChar ch : texto)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return !texto.isEmpty();
}

bool todosIguais(const QString& texto) {
    return texto.count(texto.front()) == texto.size();
}

int digito(const QString& numero, int n, int pesoInicial, bool ciclico) {
    int soma = 0;
    int peso = pesoInicial;
    for (int i = 0; i < n; ++i) {
        soma += (numero.at(i).unicode() - '0') * peso;
        peso = ciclico && peso == 2 ? 9 : peso - 1;
    }
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

bool cnpjValido(const QString& cnpj) {
    return cnpj.size() == 14 && soAlgarismos(cnpj) && !todosIguais(cnpj) &&
           digito(cnpj, 12, 5, true) == cnpj.at(12).unicode() - '0' &&
           digito(cnpj, 13, 6, true) == cnpj.at(13).unicode() - '0';
}

bool cpfValido(const QString& cpf) {
    return cpf.size() == 11 && soAlgarismos(cpf) && !todosIguais(cpf) &&
           digito(cpf, 9, 10, false) == cpf.at(9).unicode() - '0' &&
           digito(cpf, 10, 11, false) == cpf.at(10).unicode() - '0';
}

// The states with the first two digits of their municipalities' codes.
const QHash<QString, int>& codigosDasUfs() {
    static const QHash<QString, int> ufs = {
        {QStringLiteral("RO"), 11}, {QStringLiteral("AC"), 12}, {QStringLiteral("AM"), 13},
        {QStringLiteral("RR"), 14}, {QStringLiteral("PA"), 15}, {QStringLiteral("AP"), 16},
        {QStringLiteral("TO"), 17}, {QStringLiteral("MA"), 21}, {QStringLiteral("PI"), 22},
        {QStringLiteral("CE"), 23}, {QStringLiteral("RN"), 24}, {QStringLiteral("PB"), 25},
        {QStringLiteral("PE"), 26}, {QStringLiteral("AL"), 27}, {QStringLiteral("SE"), 28},
        {QStringLiteral("BA"), 29}, {QStringLiteral("MG"), 31}, {QStringLiteral("ES"), 32},
        {QStringLiteral("RJ"), 33}, {QStringLiteral("SP"), 35}, {QStringLiteral("PR"), 41},
        {QStringLiteral("SC"), 42}, {QStringLiteral("RS"), 43}, {QStringLiteral("MS"), 50},
        {QStringLiteral("MT"), 51}, {QStringLiteral("GO"), 52}, {QStringLiteral("DF"), 53}};
    return ufs;
}

bool indicadorDC(const QString& campo) {
    return campo.startsWith(QLatin1String("IND_DC")) || campo == QLatin1String("IND_LUC_LIQ");
}

} // namespace

void VerificaDatas(const Contexto& c, Achados& achados) {
    paraCadaCampo(
        c, [](const generation::CampoLeiaute& f) { return f.tipo == platform::FieldType::Date; },
        [&](const LinhaFCONT& linha, const QString& campo, const QString& valor) {
            if (valor.isEmpty())
                Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), campo, {},
                     QStringLiteral("Data vazia em %1. ").arg(campo) + onde(linha.registro(), campo));
            else if (!DataDoArquivo(valor).isValid())
                Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), campo, {},
                     QStringLiteral("Data inválida \"%1\" em %2: uma data vai como DDMMAAAA, dia, mês e "
                                    "ano com quatro algarismos. ")
                             .arg(valor, campo) +
                         onde(linha.registro(), campo));
        });
}

void VerificaPeriodo(const Contexto& c, Achados& achados) {
    if (!c.inicio || !c.fim)
        return;
    const LinhaFCONT* linha = c.linhas(QStringLiteral("0000")).first();
    if (*c.fim < *c.inicio)
        Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("0000"), QStringLiteral("DT_FIN"), {},
             QStringLiteral("A data final do período vem antes da inicial. ") +
                 onde(QStringLiteral("0000"), QStringLiteral("DT_FIN")));
    else if (c.fim->year() != c.inicio->year())
        Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("0000"), QStringLiteral("DT_FIN"), {},
             QStringLiteral("O período vai de um ano a outro (%1 a %2); ele deve estar contido num só ano. ")
                     .arg(c.inicio->year())
                     .arg(c.fim->year()) +
                 onde(QStringLiteral("0000"), QStringLiteral("DT_FIN")));
}

void VerificaValores(const Contexto& c, Achados& achados) {
    paraCadaCampo(
        c, [](const generation::CampoLeiaute& f) { return f.tipo == platform::FieldType::Float; },
        [&](const LinhaFCONT& linha, const QString& campo, const QString& valor) {
            if (CentavosDoArquivo(valor))
                return;
            QString problema;
            if (valor.isEmpty())
                problema = QStringLiteral("Valor vazio em %1.").arg(campo);
            else if (valor.startsWith(QLatin1Char('-')))
                problema =
                    QStringLiteral("Valor negativo \"%1\" em %2: o valor vai sem sinal e o sinal vai no "
                                   "indicador D/C ao lado.")
                        .arg(valor, campo);
            else
                problema = QStringLiteral("Valor \"%1\" inválido em %2: só algarismos e \",\" com até duas "
                                          "casas decimais, sem separador de milhar.")
                               .arg(valor, campo);
            Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), campo, {},
                 problema + QLatin1Char(' ') + onde(linha.registro(), campo));
        });
}

void VerificaIndicadoresDC(const Contexto& c, Achados& achados) {
    paraCadaCampo(
        c, [](const generation::CampoLeiaute& f) { return indicadorDC(f.nome); },
        [&](const LinhaFCONT& linha, const QString& campo, const QString& valor) {
            if (valor != QLatin1String("D") && valor != QLatin1String("C"))
                Acha(achados, regra, Gravidade::Erro, &linha, linha.registro(), campo, {},
                     QStringLiteral("Indicador \"%1\" em %2: deve ser \"D\" (devedor) ou \"C\" (credor). ")
                             .arg(valor, campo) +
                         RefazerArquivo());
        });
}

void VerificaCnpj(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("0000"))) {
        const QString cnpj = c.valor(*linha, QLatin1StringView("CNPJ"));
        if (!cnpjValido(cnpj))
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("0000"), QStringLiteral("CNPJ"), {},
                 QStringLiteral("CNPJ \"%1\" inválido: são 14 algarismos com os dígitos verificadores "
                                "certos. ")
                         .arg(cnpj) +
                     onde(QStringLiteral("0000"), QStringLiteral("CNPJ")));
    }
}

void VerificaCpf(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("J930"))) {
        const QString cpf = c.valor(*linha, QLatin1StringView("IDENT_CPF"));
        if (!cpfValido(cpf))
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("J930"), QStringLiteral("IDENT_CPF"),
                 {},
                 QStringLiteral("CPF \"%1\" de %2 inválido: são 11 algarismos com os dígitos verificadores "
                                "certos. ")
                         .arg(cpf, c.valor(*linha, QLatin1StringView("IDENT_NOM"))) +
                     onde(QStringLiteral("J930"), QStringLiteral("IDENT_CPF")));
    }
}

void VerificaUf(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("0000"))) {
        const QString uf = c.valor(*linha, QLatin1StringView("UF"));
        if (!codigosDasUfs().contains(uf))
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("0000"), QStringLiteral("UF"), {},
                 QStringLiteral("UF \"%1\" não é a sigla de um dos 27 estados. ").arg(uf) +
                     onde(QStringLiteral("0000"), QStringLiteral("UF")));
    }
}

void VerificaMunicipio(const Contexto& c, Achados& achados) {
    for (const LinhaFCONT* linha : c.linhas(QStringLiteral("0000"))) {
        const QString municipio = c.valor(*linha, QLatin1StringView("COD_MUN"));
        const QString uf = c.valor(*linha, QLatin1StringView("UF"));
        if (municipio.size() != 7 || !soAlgarismos(municipio))
            Acha(achados, regra, Gravidade::Erro, linha, QStringLiteral("0000"), QStringLiteral("COD_MUN"),
                 {},
                 QStringLiteral("Código de município \"%1\" inválido: são 7 algarismos. ").arg(municipio) +
                     onde(QStringLiteral("0000"), QStringLiteral("COD_MUN")));
        else if (codigosDasUfs().contains(uf) && municipio.left(2).toInt() != codigosDasUfs().value(uf))
            Acha(achados, regra, Gravidade::Aviso, linha, QStringLiteral("0000"), QStringLiteral("COD_MUN"),
                 {},
                 QStringLiteral("O município %1 não é da UF %2 (os municípios de %2 começam por %3). ")
                         .arg(municipio, uf)
                         .arg(codigosDasUfs().value(uf)) +
                     onde(QStringLiteral("0000"), QStringLiteral("COD_MUN")));
    }
}

void VerificaListasDeCodigos(const Contexto& c, Achados& achados) {
    if (!c.tabelas.temListas)
        return;
    QStringList chaves = c.tabelas.listas.keys();
    chaves.sort();
    for (const QString& chave : chaves) {
        const QHash<QString, QString>& codigosDaLista = c.tabelas.listas[chave];
        const QString registro = chave.section(QLatin1Char('/'), 0, 0);
        QString campo = chave.section(QLatin1Char('/'), 1);
        // The signatory's qualification is chosen by its text; the code written beside it is the
        // list's code.
        if (registro == QLatin1String("J930") && campo == QLatin1String("IDENT_QUALIF"))
            campo = QStringLiteral("COD_ASSIM");
        const generation::RegistroLeiaute* leiaute = c.leiaute(registro);
        if (!leiaute)
            continue;
        int posicao = -1;
        for (int i = 0; i < leiaute->campos.size(); ++i)
            if (leiaute->campos[i].nome.compare(campo, Qt::CaseInsensitive) == 0)
                posicao = i;
        if (posicao < 0)
            continue;
        const QString nome = leiaute->campos[posicao].nome;
        for (const LinhaFCONT* linha : c.linhas(registro)) {
            const QString& valor = linha->campos[posicao];
            if (valor.isEmpty() || codigosDaLista.contains(valor))
                continue;
            QStringList codigos = codigosDaLista.keys();
            codigos.sort();
            Acha(achados, regra, Gravidade::Erro, linha, registro, nome, {},
                 QStringLiteral("O código \"%1\" de %2 não está na lista de códigos do leiaute (%3). ")
                         .arg(valor, nome, codigos.join(QStringLiteral(", "))) +
                     onde(registro, nome));
        }
    }
}

} // namespace validacao
