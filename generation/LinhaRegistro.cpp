#include "generation/LinhaRegistro.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "platform/EventLoop.h"
#include "platform/Regional.h"

#include <QHash>

#include <stdexcept>

namespace generation {

using common::Trim;
using platform::Field;

namespace {

std::function<QString()>& fonteMascara() {
    static std::function<QString()> fonte;
    return fonte;
}

// A closed dataset, or one without the column, reads as blank.
QString valorDe(const platform::DataSet& dataSet, const char* campo) {
    if (!dataSet.active())
        return {};
    const Field* f = dataSet.findField(QLatin1String(campo));
    return f ? f->asString() : QString();
}

// A line break or a "|" inside a value would break the line or add fields to it.
QString semSeparadores(QString texto) {
    texto.remove(QLatin1Char('\r'));
    texto.remove(QLatin1Char('\n'));
    texto.remove(QLatin1Char('|'));
    return texto;
}

QString textoSimples(const Field& campo) {
    return Trim(semSeparadores(campo.asString()));
}

QString textoData(const Field& campo) {
    if (Trim(campo.asString()).isEmpty())
        return {};
    return platform::regional::formatDate(QStringLiteral("ddmmyyyy"), campo.asDateTime().date());
}

// The sign of an amount lives in its D/C indicator, so both the grouping dots and the minus go.
QString textoValor(const Field& campo) {
    QString texto = platform::regional::formatFloat(QStringLiteral("###,###,##0.00"),
                                                    common::ArredondaValor(campo.asFloat()));
    texto.remove(QLatin1Char('.'));
    texto.remove(QLatin1Char('-'));
    return texto;
}

QString textoCampo(const Field& campo) {
    switch (campo.tag()) {
    case ClasseDigitos:
        return semSeparadores(common::LimpaPontuacao(Trim(campo.asString())));
    case ClasseData:
        return textoData(campo);
    case ClasseValor:
        return textoValor(campo);
    case ClasseConta:
        return semSeparadores(common::AplicaMascara(Trim(MascaraConta()), Trim(campo.asString())));
    default:
        return textoSimples(campo);
    }
}

common::PromptView& promptAtual() {
    // Without a window (tests, headless runs) progress goes nowhere visible.
    static common::MemoPrompt semJanela;
    if (data::dmFCONT && data::dmFCONT->prompt)
        return *data::dmFCONT->prompt;
    return semJanela;
}

} // namespace

QString MascaraConta() {
    if (fonteMascara())
        return fonteMascara()();
    if (!data::dmFCONT)
        return {};
    const QString doParametro = Trim(valorDe(data::dmFCONT->quSPED, "SPMASCARA"));
    if (!doParametro.isEmpty())
        return doParametro;
    return Trim(valorDe(data::dmFCONT->quEmpresaProc, "PACONTAMASCARA"));
}

void DefineMascaraConta(std::function<QString()> fonte) {
    fonteMascara() = std::move(fonte);
}

QString MontaLinhaRegistro(platform::DataSet& tabela) {
    QString linha;
    for (int i = 0; i < tabela.fieldCount(); ++i) {
        const Field& campo = tabela.field(i);
        if (!campo.visible())
            continue;
        linha += QLatin1Char('|');
        linha += textoCampo(campo);
    }
    linha += QLatin1Char('|');

    static const bool nuncaCancelado = false;
    const bool& cancelado = data::dmFCONT ? data::dmFCONT->Cancelado : nuncaCancelado;
    const QString titulo = DescricaoRegistro(linha.mid(1, 4));
    common::PromptView& prompt = promptAtual();
    if (cancelado) {
        common::AtualizaPrompt(prompt, titulo, QStringLiteral("### OPERAÇÃO ABORTADA PELO USUÁRIO ###"),
                               cancelado);
        throw platform::UserCancel();
    }
    platform::processPendingEvents();
    const QString aparada = Trim(linha);
    common::AtualizaPrompt(prompt, titulo, aparada, cancelado);
    return aparada;
}

void EscreveLinha(platform::DataSet& tabela) {
    if (!data::dmFCONT || !data::dmFCONT->slArquivo)
        throw std::logic_error("The line list of the generation does not exist");
    QString linha = Trim(MontaLinhaRegistro(tabela));
    // The list holds the whole file until it is saved: no line keeps the spare room it was
    // built with.
    linha.squeeze();
    data::dmFCONT->slArquivo->append(linha);
}

QString DescricaoRegistro(const QString& codigo) {
    // Record codes separated by blanks, with their title; codes are matched exactly.
    static const std::pair<const char*, const char*> titulos[] = {
        {"0000 0001 0007 0020 0150 0180 0990", "Gerando Dados: ABERTURA, IDENTIFICAÇÃO E REFERÊNCIAS..."},
        {"I001 I010 I012 I015 I020 I030", "Gerando Dados: REGISTROS LANÇAMENTOS CONTÁBEIS..."},
        {"I050 I051 I052", "Gerando Dados: PLANO DE CONTAS x REFERENCIAL..."},
        {"I075", "Gerando Dados: HISTÓRICO PADRONIZADO..."},
        {"I100", "Gerando Dados: CENTRO DE CUSTOS..."},
        {"I150 I155", "Gerando Dados: SALDOS PERIÓDICOS x DETALHE DOS SALDOS PERIÓDICOS..."},
        {"I200 I250", "Gerando Dados: LANÇAMENTOS CONTÁBEIS x PARTIDAS DOS LANÇAMENTOS..."},
        {"I300 I310", "Gerando Dados: BALANCETES DIÁRIOS x DETALHES DOS BALANCETES..."},
        {"I350", "Gerando Dados: SALDOS DAS CONTAS RESULTADO ANTES ENCERRAMENTO..."},
        {"I355", "Gerando Dados: DETALHES DOS SALDOS DAS CONTAS RESULTADO ANTES ENCERRAMENTO..."},
        {"J001 J005", "Gerando Dados: DEMONSTRAÇÕES CONTÁBEIS..."},
        {"J100", "Gerando Dados: BALANÇO PATRIMONIAL..."},
        {"J150", "Gerando Dados: DEMONSTRAÇÕES DO RESULTADO DO EXERCÍCIO..."},
        {"J800", "Gerando Dados: OUTRAS INFORMAÇÕES..."},
        {"J900", "Gerando Dados: TERMO DE ENCERRAMENTO..."},
        {"J930", "Gerando Dados: IDENTIFICAÇÃO DOS SIGNATÁRIOS DA ESCRITURAÇÃO..."},
        {"9001 9900 9990 9999", "Gerando Dados: CONTROLE E ENCERRAMENTO DO ARQUIVO DIGITAL..."},
    };
    // Asked once per line: the table is read into a map once.
    static const QHash<QString, QString> porCodigo = [] {
        QHash<QString, QString> mapa;
        for (const auto& [codigos, titulo] : titulos)
            for (const QString& c : QString::fromLatin1(codigos).split(QLatin1Char(' ')))
                if (!mapa.contains(c))
                    mapa.insert(c, QString::fromUtf8(titulo));
        return mapa;
    }();
    return porCodigo.value(codigo, QStringLiteral("Gerando Dados: LAYOUT SPED..."));
}

} // namespace generation
