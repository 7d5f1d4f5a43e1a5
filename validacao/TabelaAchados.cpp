#include "validacao/TabelaAchados.h"

namespace validacao {

using platform::ColunaGrade;
using platform::FieldDef;
using platform::FieldType;

namespace {

enum Campos { cGravidade, cLinha, cRegistro, cCampo, cConta, cMensagem, cRegra, cIndice };

// Sorting text as the user reads it: "i050" and "I050" together, whatever the host's language.
int comparaTexto(const QVariant& a, const QVariant& b) {
    return a.toString().compare(b.toString(), Qt::CaseInsensitive);
}

int comparaNumero(const QVariant& a, const QVariant& b) {
    const bool na = !a.isValid(), nb = !b.isValid();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const qint64 x = a.toLongLong(), y = b.toLongLong();
    return x < y ? -1 : (y < x ? 1 : 0);
}

// Errors first: what stops the file comes before what only deserves a look.
int posto(const QVariant& gravidade) {
    return gravidade.toString() == QLatin1String("Erro") ? 0 : 1;
}

} // namespace

const std::vector<ColunaGrade>& ColunasAchados() {
    static const std::vector<ColunaGrade> colunas = {
        {.campo = QStringLiteral("GRAVIDADE"),
         .titulo = QStringLiteral("Gravidade"),
         .largura = 60,
         .somenteLeitura = true,
         .alinhamento = Qt::AlignHCenter},
        {.campo = QStringLiteral("LINHA"),
         .titulo = QStringLiteral("Linha"),
         .largura = 50,
         .somenteLeitura = true,
         .alinhamento = Qt::AlignRight},
        {.campo = QStringLiteral("REGISTRO"),
         .titulo = QStringLiteral("Registro"),
         .largura = 55,
         .somenteLeitura = true,
         .alinhamento = Qt::AlignHCenter},
        {.campo = QStringLiteral("CAMPO"),
         .titulo = QStringLiteral("Campo"),
         .largura = 110,
         .somenteLeitura = true},
        {.campo = QStringLiteral("CONTA"),
         .titulo = QStringLiteral("Conta"),
         .largura = 120,
         .somenteLeitura = true},
        {.campo = QStringLiteral("MENSAGEM"),
         .titulo = QStringLiteral("Mensagem"),
         .largura = 700,
         .somenteLeitura = true},
    };
    return colunas;
}

TabelaAchados::TabelaAchados() : platform::MemTable(QStringLiteral("cdsAchados")) {
    auto campo = [this](const char* nome, FieldType tipo, int tamanho, bool visivel) {
        FieldDef def;
        def.name = QString::fromLatin1(nome);
        def.type = tipo;
        def.size = tamanho;
        def.visible = visivel;
        def.readOnly = true;
        addField(def);
    };
    campo("GRAVIDADE", FieldType::String, 5, true);
    campo("LINHA", FieldType::Integer, 0, true);
    campo("REGISTRO", FieldType::String, 4, true);
    campo("CAMPO", FieldType::String, 0, true);
    campo("CONTA", FieldType::String, 0, true);
    campo("MENSAGEM", FieldType::String, 0, true);
    campo("REGRA", FieldType::String, 0, false);
    campo("INDICE", FieldType::Integer, 0, false);
    createDataSet();
}

void TabelaAchados::preenche(const Achados& achados) {
    emptyDataSet();
    m_achados = achados;
    std::vector<platform::Row> linhas;
    linhas.reserve(static_cast<size_t>(achados.size()));
    for (int i = 0; i < achados.size(); ++i) {
        const Achado& a = achados[i];
        platform::Row r(fieldCount());
        r[cGravidade] = TextoGravidade(a.gravidade);
        if (a.linha > 0)
            r[cLinha] = a.linha;
        r[cRegistro] = a.registro;
        r[cCampo] = a.campo;
        r[cConta] = a.conta;
        r[cMensagem] = a.mensagem;
        r[cRegra] = a.regra;
        r[cIndice] = i;
        linhas.push_back(std::move(r));
    }
    appendStored(std::move(linhas));
    first();
}

void TabelaAchados::filtra(FiltroGravidade filtro) {
    m_filtro = filtro;
    switch (filtro) {
    case FiltroGravidade::Todos:
        setFiltered(false);
        break;
    case FiltroGravidade::Erros:
        setFilter(QStringLiteral("GRAVIDADE = 'Erro'"));
        setFiltered(true);
        break;
    case FiltroGravidade::Avisos:
        setFilter(QStringLiteral("GRAVIDADE = 'Aviso'"));
        setFiltered(true);
        break;
    }
}

void TabelaAchados::ordena(const QString& campo, bool decrescente) {
    const platform::Field* f = campo.isEmpty() ? nullptr : findField(campo);
    m_campoOrdem = f ? f->name() : QString();
    m_indiceOrdem = f ? f->index() : -1;
    m_decrescente = f && decrescente;
    // A finding's position is also its row's place among the stored rows: the table is only ever
    // filled whole, in that order.
    const platform::Row* atual = currentRowPtr();
    const int manter = atual ? atual->value(cIndice).toInt() : -1;
    rebuildView(manter);
    notifyRefiltered();
}

bool TabelaAchados::rowLess(const platform::Row& a, const platform::Row& b) const {
    int c = 0;
    switch (m_indiceOrdem) {
    case -1:
        break;
    case cGravidade:
        c = posto(a.value(cGravidade)) - posto(b.value(cGravidade));
        break;
    case cLinha:
    case cIndice:
        c = comparaNumero(a.value(m_indiceOrdem), b.value(m_indiceOrdem));
        break;
    default:
        c = comparaTexto(a.value(m_indiceOrdem), b.value(m_indiceOrdem));
        break;
    }
    if (m_decrescente)
        c = -c;
    if (c != 0)
        return c < 0;
    return a.value(cIndice).toInt() < b.value(cIndice).toInt();
}

const Achado* TabelaAchados::achadoDa(int linhaDaVista) const {
    if (!active() || linhaDaVista < 0 || linhaDaVista >= recordCount())
        return nullptr;
    const int i = valueAt(linhaDaVista, cIndice).toInt();
    return i >= 0 && i < m_achados.size() ? &m_achados[i] : nullptr;
}

PaginaCorrecao PaginaDoAchado(const Achado& achado) {
    const QString& r = achado.registro;
    if (r == QLatin1String("I050") && achado.campo == QLatin1String("DT_ALT"))
        return PaginaCorrecao::Registro0000; // the accounts' change date is the period's start
    static const char* const doPeriodo[] = {"0000", "I100", "I150", "I350"};
    for (const char* p : doPeriodo)
        if (r == QLatin1String(p))
            return PaginaCorrecao::Registro0000;
    if (r == QLatin1String("J930"))
        return PaginaCorrecao::RegistroJ930;
    if (r == QLatin1String("M020"))
        return PaginaCorrecao::RegistroM020;
    if (r == QLatin1String("M030"))
        return PaginaCorrecao::RegistroM030;
    static const char* const doPlano[] = {"I050", "I051", "I155", "I355", "M025", "M355"};
    for (const char* p : doPlano)
        if (r == QLatin1String(p))
            return PaginaCorrecao::RegistroI050;
    return achado.conta.trimmed().isEmpty() ? PaginaCorrecao::Nenhuma : PaginaCorrecao::RegistroI050;
}

QString ChaveDeConta(const QString& codigo) {
    QString chave;
    chave.reserve(codigo.size());
    for (const QChar c : codigo)
        if (c.isLetterOrNumber())
            chave += c.toUpper();
    return chave;
}

} // namespace validacao
