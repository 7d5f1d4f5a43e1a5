#include "validacao/Regras.h"

namespace validacao {

Contexto::Contexto(const ArquivoFCONT& a, const TabelasExternas& t) : arquivo(a), tabelas(t) {
    for (const generation::RegistroLeiaute& r : generation::LeiauteRegistros())
        m_leiautes.insert(r.codigo, &r);
    m_bemFormada.reserve(arquivo.linhas.size());
    for (const LinhaFCONT& linha : arquivo.linhas) {
        const generation::RegistroLeiaute* r = linha.delimitada ? leiaute(linha.registro()) : nullptr;
        const bool certa = r && r->campos.size() == linha.campos.size();
        m_bemFormada.push_back(certa);
        m_todas[linha.registro()].append(&linha);
        if (certa)
            m_linhas[linha.registro()].append(&linha);
    }
    const QList<const LinhaFCONT*>& abertura = linhas(QStringLiteral("0000"));
    if (!abertura.isEmpty()) {
        const QDate de = DataDoArquivo(valor(*abertura.first(), QLatin1StringView("DT_INI")));
        const QDate ate = DataDoArquivo(valor(*abertura.first(), QLatin1StringView("DT_FIN")));
        if (de.isValid())
            inicio = de;
        if (ate.isValid())
            fim = ate;
    }
}

const generation::RegistroLeiaute* Contexto::leiaute(const QString& codigo) const {
    return m_leiautes.value(codigo, nullptr);
}

Contexto::~Contexto() = default;

bool Contexto::bemFormada(const LinhaFCONT& linha) const {
    const qsizetype i = linha.numero - 1;
    return i >= 0 && i < static_cast<qsizetype>(m_bemFormada.size()) && m_bemFormada[i];
}

const QList<const LinhaFCONT*>& Contexto::linhas(const QString& codigo) const {
    static const QList<const LinhaFCONT*> nenhuma;
    const auto i = m_linhas.constFind(codigo);
    return i == m_linhas.constEnd() ? nenhuma : i.value();
}

const QList<const LinhaFCONT*>& Contexto::todasAsLinhas(const QString& codigo) const {
    static const QList<const LinhaFCONT*> nenhuma;
    const auto i = m_todas.constFind(codigo);
    return i == m_todas.constEnd() ? nenhuma : i.value();
}

int Contexto::linhasDoBloco(QChar bloco) const {
    qsizetype n = 0;
    for (auto i = m_todas.constBegin(); i != m_todas.constEnd(); ++i)
        if (i.key().size() == 4 && i.key().front() == bloco)
            n += i.value().size();
    return static_cast<int>(n);
}

const PlanoDoArquivo& Contexto::plano() const {
    if (!m_plano)
        m_plano = std::make_unique<PlanoDoArquivo>(*this);
    return *m_plano;
}

int Contexto::posicao(const QString& codigo, QLatin1StringView campo) const {
    const generation::RegistroLeiaute* r = leiaute(codigo);
    if (!r)
        return -1;
    for (int i = 0; i < r->campos.size(); ++i)
        if (r->campos[i].nome == campo)
            return i;
    return -1;
}

QString Contexto::valor(const LinhaFCONT& linha, QLatin1StringView campo) const {
    const int i = posicao(linha.registro(), campo);
    return i >= 0 && i < linha.campos.size() ? linha.campos[i] : QString();
}

void Acha(Achados& achados, const QString& regra, Gravidade gravidade, const LinhaFCONT* linha,
          const QString& registro, const QString& campo, const QString& conta, const QString& mensagem) {
    achados.append({gravidade, linha ? linha->numero : 0, registro, campo, conta, mensagem, regra});
}

QString RefazerArquivo() {
    return QStringLiteral("Este programa não escreve assim: gere o arquivo de novo com \"Gerar\" "
                          "(um arquivo de outro programa, corrija-o nele).");
}

QDate DataDoArquivo(const QString& texto) {
    if (texto.size() != 8)
        return {};
    for (const QChar ch : texto)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return {};
    return QDate(texto.mid(4, 4).toInt(), texto.mid(2, 2).toInt(), texto.mid(0, 2).toInt());
}

std::optional<qint64> CentavosDoArquivo(const QString& texto) {
    const qsizetype virgula = texto.indexOf(QLatin1Char(','));
    const qsizetype inteiros = virgula < 0 ? texto.size() : virgula;
    const qsizetype decimais = virgula < 0 ? 0 : texto.size() - virgula - 1;
    // Beyond 15 digits a double no longer holds every cent, so no generator writes them.
    if (inteiros < 1 || inteiros > 15 || (virgula >= 0 && (decimais < 1 || decimais > 2)))
        return std::nullopt;
    qint64 centavos = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (i == virgula)
            continue;
        const QChar ch = texto.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
        centavos = centavos * 10 + (ch.unicode() - '0');
    }
    for (qsizetype d = decimais; d < 2; ++d)
        centavos *= 10;
    return centavos;
}

QString TextoDeCentavos(qint64 centavos) {
    const qint64 absoluto = centavos < 0 ? -centavos : centavos;
    return QStringLiteral("%1%2,%3")
        .arg(centavos < 0 ? QStringLiteral("-") : QString())
        .arg(absoluto / 100)
        .arg(absoluto % 100, 2, 10, QLatin1Char('0'));
}

} // namespace validacao
