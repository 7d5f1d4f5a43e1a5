#include "generation/Geracao.h"

#include "common/Consultas.h"
#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "data/uFCONT.h"
#include "generation/Populacao.h"
#include "generation/dmBlocos.h"
#include "platform/Abort.h"
#include "platform/Regional.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace generation {

using data::dmFCONT;

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

void SalvaArquivo(const QStringList& linhas, const QString& caminho) {
    QByteArray bytes;
    for (const QString& linha : linhas) {
        bytes += linha.toLatin1();
        bytes += "\r\n";
    }
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(bytes) != bytes.size() || !arquivo.commit())
        throw std::runtime_error(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                     .arg(caminho, arquivo.errorString())
                                     .toStdString());
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

    dmFCONT->NomeArquivo =
        QStringLiteral("FCONT_") +
        platform::regional::formatDateTime(QStringLiteral("DDMMYYYY hhmm"), QDateTime::currentDateTime()) +
        QStringLiteral(".txt");
    resultado.sucesso = gerou && !dmFCONT->Cancelado;
    if (resultado.sucesso) {
        common::MemoPrompt semJanela;
        try {
            common::AtualizaPrompt(dmFCONT->prompt ? *dmFCONT->prompt : semJanela,
                                   QStringLiteral("PROCESSO GERAÇÃO ARQUIVO CONCLUÍDO COM SUCESSO!"),
                                   dmFCONT->NomeArquivo, dmFCONT->Cancelado);
        } catch (const platform::SilentAbort&) {
            // "Cancelar" pressed while the success line was shown: the file is complete already
            // and is saved all the same.
        }
    }

    QDir atual = QDir::current();
    const QString pasta = QStringLiteral("Arquivos Gerados");
    if (!atual.exists(pasta))
        atual.mkdir(pasta);
    const QString caminho = atual.filePath(pasta + QLatin1Char('/') + dmFCONT->NomeArquivo);
    SalvaArquivo(*dmFCONT->slArquivo, caminho);
    if (QFile::exists(caminho)) {
        resultado.arquivo = caminho;
        common::ExecutaPrograma(QStringLiteral("Notepad.exe"),
                                QStringLiteral("Arquivos Gerados\\") + dmFCONT->NomeArquivo);
    }
    return resultado;
}

} // namespace generation
