#include "ui/main/ValidacaoJanela.h"

#include "common/Mensagens.h"
#include "data/dmFCONT.h"
#include "generation/Geracao.h"
#include "platform/Dialogs.h"
#include "platform/qt/BusyCursor.h"
#include "ui/main/GradeAchados.h"
#include "ui/main/IrParaAchado.h"
#include "ui/main/TfmAchados.h"
#include "ui/main/TfmPrincipal.h"
#include "validacao/Validacao.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

namespace ui {

namespace {

const QString prefixoPrompt = QStringLiteral("SPED>");
const QString textoResumo = QStringLiteral("Validação do arquivo: ");

QString pastaTabelas() {
    return data::CaminhoLocal(QStringLiteral("Tabelas Externas"));
}

QString arquivoPadrao(QWidget* pai) {
    const QDir atual = QDir::current();
    const QString gerados = QStringLiteral("Arquivos Gerados");
    return QFileDialog::getOpenFileName(pai, QStringLiteral("Validar Arquivo FCONT"),
                                        atual.exists(gerados) ? atual.filePath(gerados) : atual.path(),
                                        QStringLiteral("Arquivos FCONT (*.txt);;Todos os arquivos (*)"));
}

} // namespace

ValidacaoJanela::EscolheArquivo& ValidacaoJanela::escolheArquivoFCONT() {
    static EscolheArquivo escolhe = arquivoPadrao;
    return escolhe;
}

validacao::ResultadoValidacao ValidacaoJanela::le(const QString& arquivo) {
    const platform::BusyCursor ocupado;
    return validacao::ValidaArquivoFCONT(arquivo, pastaTabelas());
}

ValidacaoJanela::ValidacaoJanela(TfmPrincipal& janela) : QObject(&janela), m_janela(janela) {
    m_menu = janela.menuBar()->addMenu(QStringLiteral("&Validação"));
    m_menu->setObjectName(QStringLiteral("mnValidacao"));
    m_validarArquivo = m_menu->addAction(QStringLiteral("Validar Arquivo FCONT..."));
    m_validarArquivo->setObjectName(QStringLiteral("ValidarArquivo1"));
    m_mostrarAchados = m_menu->addAction(QStringLiteral("Achados do Último Arquivo"));
    m_mostrarAchados->setObjectName(QStringLiteral("MostrarAchados1"));
    m_mostrarAchados->setEnabled(false);
    connect(m_validarArquivo, &QAction::triggered, this,
            [this] { platform::runReporting([this] { ValidarArquivoClick(); }); });
    connect(m_mostrarAchados, &QAction::triggered, this,
            [this] { platform::runReporting([this] { MostrarAchadosClick(); }); });
}

TfmAchados* ValidacaoJanela::fmAchados() const {
    return m_achados;
}

TfmAchados& ValidacaoJanela::janelaAchados() {
    if (!m_achados) {
        m_achados = new TfmAchados(&m_janela);
        m_achados->setObjectName(QStringLiteral("fmAchados"));
        m_achados->setWindowTitle(QStringLiteral("Validação do Arquivo FCONT"));
        m_achados->grade()->aoEscolher = [this](const validacao::Achado& a) {
            MostraOndeCorrigir(m_janela, a);
        };
    }
    return *m_achados;
}

void ValidacaoJanela::mostra(const QString& arquivo, const validacao::Achados& achados, bool abre) {
    m_ultimos = achados;
    QStringList resumo{textoResumo + validacao::ResumoAchados(achados)};
    for (const QString& aviso :
         {validacao::AvisoSemPlano(pastaTabelas()), validacao::AvisoSemListas(pastaTabelas())})
        if (!aviso.isEmpty())
            resumo << aviso;
    TfmAchados& janela = janelaAchados();
    janela.mostra(QStringLiteral("Arquivo: ") + QDir::toNativeSeparators(arquivo),
                  resumo.join(QLatin1Char('\n')), achados);
    m_mostrarAchados->setEnabled(true);
    if (abre || validacao::ContaErros(achados) > 0) {
        janela.show();
        janela.raise();
        janela.activateWindow();
    }
}

bool ValidacaoJanela::valida(const QString& arquivo, bool abre) {
    const validacao::ResultadoValidacao r = le(arquivo);
    if (!r.lido) {
        common::MostraMensagem(QStringLiteral("Erro: não foi possível ler \"%1\": %2")
                                   .arg(QDir::toNativeSeparators(arquivo), r.motivo));
        return false;
    }
    mostra(arquivo, r.achados, abre);
    return true;
}

void ValidacaoJanela::antesDeGerar() {
    const QStringList linhas = m_janela.prompt().lines();
    if (linhas.size() > 2)
        m_janela.prompt().setLines(linhas.mid(0, 2));
}

void ValidacaoJanela::depoisDeGerar(const generation::ResultadoGeracao& resultado) {
    if (!resultado.sucesso || resultado.arquivo.isEmpty())
        return;
    const validacao::ResultadoValidacao r = le(resultado.arquivo);
    QStringList linhas = m_janela.prompt().lines().mid(0, 2);
    while (linhas.size() < 2)
        linhas << QString();
    linhas << prefixoPrompt + textoResumo +
                  (r.lido ? validacao::ResumoAchados(r.achados)
                          : QStringLiteral("o arquivo não pôde ser lido."));
    m_janela.prompt().setLines(linhas);
    m_janela.prompt().repaint();
    if (!r.lido) {
        common::MostraMensagem(QStringLiteral("Erro: o arquivo gerado não pôde ser validado: ") + r.motivo);
        return;
    }
    mostra(resultado.arquivo, r.achados, false);
}

void ValidacaoJanela::ValidarArquivoClick() {
    const QString arquivo = escolheArquivoFCONT() ? escolheArquivoFCONT()(&m_janela) : QString();
    if (!arquivo.isEmpty())
        valida(arquivo, true);
}

void ValidacaoJanela::MostrarAchadosClick() {
    if (!m_achados)
        return;
    m_achados->show();
    m_achados->raise();
    m_achados->activateWindow();
}

} // namespace ui
