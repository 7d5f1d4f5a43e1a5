#include "generation/Geracao.h"

#include "common/Consultas.h"
#include "common/ExecutaPrograma.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/Populacao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/GravacaoSegura.h"
#include "platform/Query.h"
#include "platform/Regional.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace generation {

using data::dmFCONT;

void VerificaConjunto() {
    platform::Query& sped = dmFCONT->quSPED;
    const platform::Field& campoEmpresa = sped.fieldByName(QStringLiteral("EMPRESA"));
    if (campoEmpresa.isNull())
        common::MostraMensagem(
            QStringLiteral(
                "Operação Abortada: \rConfiguração sem Empresa!\rInforme a Empresa da configuração."),
            true);
    const QString empresa = QString::number(campoEmpresa.asInteger());
    const int cadastrada =
        common::BuscaValorInteiro(QStringLiteral("count(*)"), QStringLiteral("AUGC01PA"),
                                  QStringLiteral("where pacodigo=") + empresa, dmFCONT->quAux);
    if (cadastrada == 0)
        common::MostraMensagem(
            QStringLiteral("Operação Abortada: \rEmpresa \"") + empresa +
                QStringLiteral("\" não cadastrada!\rInforme uma Empresa existente na configuração."),
            true);
    // Without a mask every account code of the file would be blank.
    QString mascaraEmpresa;
    common::BuscaValor(QStringLiteral("PACONTAMASCARA"), QStringLiteral("AUGC01PA"),
                       QStringLiteral("where pacodigo=") + empresa, dmFCONT->quAux, mascaraEmpresa);
    if (common::Trim(sped.fieldByName(QStringLiteral("SPMASCARA")).asString()).isEmpty() &&
        common::Trim(mascaraEmpresa).isEmpty())
        common::MostraMensagem(
            QStringLiteral("Operação Abortada: \rMáscara das Contas não informada!\rInforme a "
                           "Máscara na configuração ou a Máscara de Conta da Empresa \"") +
                empresa + QStringLiteral("\"."),
            true);
    VerificaSignatarios();
}

void VerificaSignatarios() {
    // A signatory without name or CPF would be a J930 line the tax authority's validator rejects.
    const QString conjunto =
        QString::number(dmFCONT->quSPED.fieldByName(QStringLiteral("SPCODIGO")).asInteger());
    std::unique_ptr<platform::Query> signatarios =
        common::CriaQuery(QStringLiteral("quSignatarios"), &dmFCONT->trBanco);
    signatarios->setSql(QStringLiteral("select SPSGCODIGO, SPSGIDENT_NOM, SPSGIDENT_CPF from AUGC80SPSG "
                                       "where SPCODIGO = ") +
                        conjunto + QStringLiteral(" order by SPSGCODIGO"));
    signatarios->open();
    for (signatarios->first(); !signatarios->eof(); signatarios->next()) {
        const QString nome =
            common::Trim(signatarios->fieldByName(QStringLiteral("SPSGIDENT_NOM")).asString());
        const QString cpf =
            common::Trim(signatarios->fieldByName(QStringLiteral("SPSGIDENT_CPF")).asString());
        if (!nome.isEmpty() && !cpf.isEmpty())
            continue;
        const QString codigo = signatarios->fieldByName(QStringLiteral("SPSGCODIGO")).asString();
        const QString falta = nome.isEmpty() && cpf.isEmpty() ? QStringLiteral("sem Nome e sem CPF")
                              : nome.isEmpty()                ? QStringLiteral("sem Nome")
                                                              : QStringLiteral("sem CPF");
        common::MostraMensagem(
            QStringLiteral("Operação Abortada: \rSignatário ") + codigo +
                (nome.isEmpty() ? QString() : QStringLiteral(" (\"") + nome + QStringLiteral("\")")) +
                QStringLiteral(" ") + falta +
                QStringLiteral("!\rInforme o Nome e o CPF do Signatário no Registro J930."),
            true);
    }
}

QString MontaFiltroEmpresas() {
    platform::Query& sped = dmFCONT->quSPED;
    const QString empresa = QString::number(sped.fieldByName(QStringLiteral("EMPRESA")).asInteger());
    if (sped.fieldByName(QStringLiteral("R0000CONSOLIDAR")).asInteger() != -1)
        return QStringLiteral(" = ") + empresa;
    QString lista;
    common::BuscaValor(QStringLiteral("PAEMPRESACONSOLIDADA"), QStringLiteral("AUGC01PA"),
                       QStringLiteral("where pacodigo=") + empresa, dmFCONT->quAux, lista);
    // The list is pasted into an SQL in-list: only company numbers may get there. An empty list
    // is left to the database, which rejects " in ()" at the first balance statement.
    static const QRegularExpression numeros(QStringLiteral("^\\s*\\d+\\s*(,\\s*\\d+\\s*)*$"));
    if (!common::Trim(lista).isEmpty() && !numeros.match(lista).hasMatch())
        common::MostraMensagem(
            QStringLiteral("Operação Abortada: \rLista de empresas consolidadas inválida: \"") + lista +
                QStringLiteral("\"!"),
            true);
    return QStringLiteral(" in (") + lista + QStringLiteral(")");
}

namespace {

void EscreveBytes(QIODevice& destino, const QByteArray& bytes) {
    constexpr qsizetype bloco = 64 * 1024;
    for (qsizetype feito = 0; feito < bytes.size(); feito += bloco) {
        const qsizetype tamanho = std::min(bloco, bytes.size() - feito);
        if (destino.write(bytes.constData() + feito, tamanho) != tamanho)
            throw ErroGravacao(destino.errorString());
    }
}

// The lines go out in blocks of about this size: a copy of the whole file in memory would come
// on top of the line list, at the moment the generation holds the most.
constexpr qsizetype blocoDeGravacao = 256 * 1024;

} // namespace

void GravaBytes(QFileDevice& destino, const QByteArray& bytes) {
    // A buffered device takes the bytes and fails only at the flush, so both are checked.
    EscreveBytes(destino, bytes);
    if (!destino.flush() || destino.error() != QFileDevice::NoError)
        throw ErroGravacao(destino.errorString());
}

void SalvaArquivo(const QStringList& linhas, const QString& caminho) {
    platform::GravacaoSegura arquivo(caminho);
    QByteArray bytes;
    bytes.reserve(blocoDeGravacao + 4096);
    for (const QString& linha : linhas) {
        bytes += linha.toLatin1();
        bytes += "\r\n";
        if (bytes.size() >= blocoDeGravacao) {
            arquivo.escreve(bytes);
            bytes.resize(0);
        }
    }
    arquivo.escreve(bytes);
    arquivo.conclui();
}

QString NomeArquivoIncompleto(const QDir& pasta, const QString& nomeCompleto) {
    const QString base = nomeCompleto.chopped(4) + QStringLiteral(" - INCOMPLETO");
    QString nome = base + QStringLiteral(".txt");
    for (int n = 2; pasta.exists(nome); ++n)
        nome = base + QStringLiteral(" (%1).txt").arg(n);
    return nome;
}

namespace {

// Step 11 of the command: whatever happened, the line list goes and the buttons come back.
struct Restaura {
    common::PromptView* botoes;
    ~Restaura() {
        dmFCONT->slArquivo.reset();
        if (botoes) {
            botoes->setCancelarEnabled(false);
            botoes->setGerarEnabled(true);
        }
    }
};

} // namespace

ResultadoGeracao GeraArquivoFCONT(common::PromptView* botoes) {
    ResultadoGeracao resultado;
    VerificaConjunto();
    const QString filtro = MontaFiltroEmpresas();

    if (botoes) {
        botoes->setCancelarEnabled(true);
        botoes->setGerarEnabled(false);
    }
    Restaura restaura{botoes};
    dmFCONT->slArquivo = std::make_unique<QStringList>();
    dmFCONT->Cancelado = false;
    dmFCONT->ContLinha = 0;
    data::DescartaPlanoOrdenado();

    try {
        dmBlocos->LimpaBlocos();
    } catch (...) {
        common::MostraMensagem(QStringLiteral("Erro: ao limpar Blocos."), true);
    }

    const bool gerou = GeraBlocos(filtro);

    const QString nomeCompleto =
        QStringLiteral("FCONT_") +
        platform::regional::formatDateTime(QStringLiteral("DDMMYYYY hhmm"), QDateTime::currentDateTime()) +
        QStringLiteral(".txt");
    const bool completo = gerou && !dmFCONT->Cancelado;

    QDir atual = QDir::current();
    const QString pasta = QStringLiteral("Arquivos Gerados");
    if (!atual.exists(pasta))
        atual.mkdir(pasta);
    // A complete file may replace the one of the same minute; a partial one never replaces
    // anything and says in its name that it is incomplete.
    dmFCONT->NomeArquivo =
        completo ? nomeCompleto : NomeArquivoIncompleto(QDir(atual.filePath(pasta)), nomeCompleto);
    const QString caminho = atual.filePath(pasta + QLatin1Char('/') + dmFCONT->NomeArquivo);
    try {
        SalvaArquivo(*dmFCONT->slArquivo, caminho);
    } catch (const ErroGravacao& e) {
        common::MostraMensagem(QStringLiteral("Erro: ao gravar o arquivo \"") + caminho +
                                   QStringLiteral("\".\rCausa: ") + e.motivo(),
                               true);
    }
    resultado.arquivo = caminho;
    resultado.sucesso = completo;
    if (completo) {
        common::MemoPrompt semJanela;
        try {
            common::AtualizaPrompt(dmFCONT->prompt ? *dmFCONT->prompt : semJanela,
                                   QStringLiteral("PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!"),
                                   dmFCONT->NomeArquivo, dmFCONT->Cancelado);
        } catch (const platform::SilentAbort&) {
            // "Cancelar" pressed while the success line was shown: the file is on disk already.
        }
    }
    common::ExecutaPrograma(QStringLiteral("Notepad.exe"),
                            QStringLiteral("Arquivos Gerados\\") + dmFCONT->NomeArquivo);
    return resultado;
}

} // namespace generation
