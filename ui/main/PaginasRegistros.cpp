// The six pages of the main window and the bindings of their controls to the parameter set.

#include "data/ColunasGrades.h"
#include "data/TabelasCodigos.h"
#include "data/dmFCONT.h"
#include "platform/DataSetModel.h"
#include "platform/qt/FieldBinding.h"
#include "ui/main/ControlePaginas.h"
#include "ui/main/GradeColunas.h"
#include "ui/main/PaginaPrincipal.h"
#include "ui/main/TfmPrincipal.h"
#include "ui/search/LarguraColuna.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

using data::dmFCONT;

namespace {

QLabel* barraTitulo(QWidget* pai, const QString& texto) {
    auto* titulo = new QLabel(texto, pai);
    titulo->setTextFormat(Qt::PlainText);
    titulo->setFixedHeight(40);
    titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = titulo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    titulo->setFont(f);
    titulo->setAutoFillBackground(true);
    titulo->setStyleSheet(QStringLiteral("background: #e8e8e8; border-bottom: 1px solid #b0b0b0;"));
    return titulo;
}

// A labelled control: the label names it for the screen reader as well.
template <typename W> W* controle(QWidget* pai, const char* nome, const QString& rotulo) {
    auto* w = new W(pai);
    w->setObjectName(QString::fromLatin1(nome));
    QString acessivel = rotulo.trimmed();
    if (acessivel.endsWith(QLatin1Char(':')))
        acessivel.chop(1);
    w->setAccessibleName(acessivel);
    return w;
}

QLabel* rotuloDe(QWidget* pai, const QString& texto, QWidget* controle) {
    auto* l = new QLabel(texto, pai);
    l->setBuddy(controle);
    return l;
}

// The date entry has no empty state of its own: its lowest date stands for an empty field.
const QDate dataVazia(1899, 12, 30);

void somenteLeitura(platform::FieldBinding* vinculo) {
    auto* edit = static_cast<QLineEdit*>(vinculo->control());
    vinculo->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: #d4d0c8; color: black; }"));
}

QToolButton* botaoPesquisa(QWidget* pai, const char* nome, const QString& doQue) {
    auto* b = new QToolButton(pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(QStringLiteral("..."));
    b->setAccessibleName(QStringLiteral("Pesquisar ") + doQue);
    b->setToolTip(QStringLiteral("Pesquisar ") + doQue);
    return b;
}

QStringList itensDe(const char* campo) {
    return data::TabelaCodigosDe(QString::fromLatin1(campo)).itensDaLista();
}

QWidget* paginaComTitulo(const QString& titulo, QVBoxLayout*& corpo) {
    auto* pagina = new QWidget;
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barraTitulo(pagina, titulo));
    corpo = new QVBoxLayout;
    corpo->setContentsMargins(12, 10, 12, 10);
    corpo->setSpacing(8);
    layout->addLayout(corpo, 1);
    return pagina;
}

} // namespace

void TfmPrincipal::montaPaginas() {
    wbNavegador = new PaginaPrincipal;
    pcPaginas->adiciona(wbNavegador, QStringLiteral("Principal"));
    pcPaginas->adiciona(paginaRegistro0000(), QStringLiteral("Registro 0000"));
    pcPaginas->adiciona(paginaRegistroI050(), QStringLiteral("Registro I050"));
    pcPaginas->adiciona(paginaRegistroJ930(), QStringLiteral("Registro J930"));
    pcPaginas->adiciona(paginaRegistroM020(), QStringLiteral("Registro M020"));
    pcPaginas->adiciona(paginaRegistroM030(), QStringLiteral("Registro M030"));
    const QStringList nomes = {QStringLiteral("tsPrincipal"), QStringLiteral("tsReg0000"),
                               QStringLiteral("tsRegI050"),   QStringLiteral("tsRegJ930"),
                               QStringLiteral("tsRegM020"),   QStringLiteral("tsRegM030")};
    for (int i = 0; i < pcPaginas->count(); ++i) {
        pcPaginas->pagina(i)->setObjectName(nomes[i]);
        pcPaginas->pagina(i)->setAccessibleName(pcPaginas->legenda(i));
    }
    wbNavegador->setObjectName(QStringLiteral("wbNavegador"));
    for (int i = 0; i < pcPaginas->count(); ++i)
        pcPaginas->mostraAba(i, false);
}

QWidget* TfmPrincipal::paginaRegistro0000() {
    QVBoxLayout* corpo = nullptr;
    QWidget* pagina =
        paginaComTitulo(QStringLiteral("    Registro 0000 - Abertura, Identificação e Referências"), corpo);
    auto* area = new QScrollArea(pagina);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* conteudo = new QWidget;
    area->setWidget(conteudo);
    corpo->addWidget(area);
    auto* layout = new QVBoxLayout(conteudo);
    layout->setContentsMargins(0, 0, 0, 0);
    platform::Query& sped = dmFCONT->quSPED;
    auto campo = [&sped](const char* nome) -> platform::Field& {
        return sped.fieldByName(QString::fromLatin1(nome));
    };

    auto* quadro = new QGroupBox(conteudo);
    auto* grade = new QGridLayout(quadro);
    auto* dataIni = controle<QDateEdit>(quadro, "deReg0000DataIni", QStringLiteral("Data inicial"));
    auto* dataFin = controle<QDateEdit>(quadro, "deReg0000DataFin", QStringLiteral("Data final"));
    auto* sitEsp = controle<QComboBox>(quadro, "dbcbIND_SIT_ESP", QStringLiteral("Situação Especial"));
    auto* sitIni =
        controle<QComboBox>(quadro, "dbcbIND_SIT_INI_PER", QStringLiteral("Situação no Início do Período"));
    dataIni->setMinimumDate(dataVazia);
    dataFin->setMinimumDate(dataVazia);
    platform::bindDate(dataIni, campo("R0000DT_INI"));
    platform::bindDate(dataFin, campo("R0000DT_FIN"));
    platform::bindPicker(sitEsp, campo("R0000IND_SIT_ESP"), itensDe("R0000IND_SIT_ESP"));
    platform::bindPicker(sitIni, campo("R0000IND_SIT_INI_PER"), itensDe("R0000IND_SIT_INI_PER"));
    grade->addWidget(rotuloDe(quadro, QStringLiteral("Data inicial"), dataIni), 0, 0);
    grade->addWidget(rotuloDe(quadro, QStringLiteral("Data final"), dataFin), 0, 1);
    grade->addWidget(dataIni, 1, 0);
    grade->addWidget(dataFin, 1, 1);
    grade->addWidget(rotuloDe(quadro, QStringLiteral("Situação Especial"), sitEsp), 2, 0, 1, 2);
    grade->addWidget(sitEsp, 3, 0, 1, 2);
    grade->addWidget(rotuloDe(quadro, QStringLiteral("Situação no Início do Período"), sitIni), 4, 0, 1, 2);
    grade->addWidget(sitIni, 5, 0, 1, 2);
    grade->setColumnStretch(2, 1);
    layout->addWidget(quadro);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(6);
    int linha = 0;
    auto campoComPesquisa = [&](QLineEdit* edit, const QString& rotulo, QToolButton* botao,
                                QWidget* extra = nullptr) {
        form->addWidget(rotuloDe(conteudo, rotulo, edit), linha, 0);
        auto* caixa = new QHBoxLayout;
        caixa->addWidget(edit, extra ? 0 : 1);
        if (extra)
            caixa->addWidget(extra, 1);
        if (botao)
            caixa->addWidget(botao);
        form->addLayout(caixa, linha, 1);
        ++linha;
    };
    auto simples = [&](const char* nome, const QString& rotulo, const char* campo) {
        auto* edit = controle<QLineEdit>(conteudo, nome, rotulo);
        platform::bindEdit(edit, sped.fieldByName(QString::fromLatin1(campo)));
        campoComPesquisa(edit, rotulo, nullptr);
        return edit;
    };

    auto* empresa = controle<QLineEdit>(conteudo, "dbedReg0000EmpresaProc",
                                        QStringLiteral("Empresa Processada (Kalvero 3):"));
    somenteLeitura(platform::bindEdit(empresa, campo("EMPRESA")));
    auto* btPesqEmpProc = botaoPesquisa(conteudo, "btPesqEmpProc", QStringLiteral("Empresa Processada"));
    connect(btPesqEmpProc, &QToolButton::clicked, this,
            [this] { executa([this] { btPesqEmpProcClick(); }); });
    empresa->setMaximumWidth(120);
    campoComPesquisa(empresa, QStringLiteral("Empresa Processada (Kalvero 3):"), btPesqEmpProc,
                     new QWidget(conteudo));

    auto* consolidar = controle<QCheckBox>(conteudo, "ckConsolidar", QStringLiteral("Consolidar"));
    consolidar->setText(QStringLiteral("Consolidar"));
    platform::bindCheck(consolidar, campo("R0000CONSOLIDAR"), -1, 0);
    form->addWidget(consolidar, linha++, 1);

    auto* local = controle<QLineEdit>(conteudo, "dbedReg0000CodLocal", QStringLiteral("Local (Kalvero 3):"));
    somenteLeitura(platform::bindEdit(local, campo("FILIAL")));
    local->setMaximumWidth(120);
    auto* btPesqLocal = botaoPesquisa(conteudo, "btPesqLocal", QStringLiteral("Local"));
    connect(btPesqLocal, &QToolButton::clicked, this, [this] { executa([this] { btPesqLocalClick(); }); });
    campoComPesquisa(local, QStringLiteral("Local (Kalvero 3):"), btPesqLocal, new QWidget(conteudo));

    simples("dbedReg0000Razao", QStringLiteral("Razão Social"), "R0000NOME");
    auto* cnpj = controle<QLineEdit>(conteudo, "dbedReg0000CNPJ", QStringLiteral("CNPJ"));
    platform::bindDigits(cnpj, campo("R0000CNPJ"), QStringLiteral("99.999.999/9999-99;_"));
    campoComPesquisa(cnpj, QStringLiteral("CNPJ"), nullptr);
    simples("dbedReg0000IE", QStringLiteral("I.E."), "R0000IE");
    simples("dbedReg0000UF", QStringLiteral("UF"), "R0000UF");
    simples("dbedReg0000IM", QStringLiteral("I.M."), "R0000IM");

    auto* codMun = controle<QLineEdit>(conteudo, "dbedReg0000CodMun", QStringLiteral("Município"));
    somenteLeitura(platform::bindEdit(codMun, campo("R0000COD_MUN")));
    codMun->setMaximumWidth(120);
    auto* municipio =
        controle<QLineEdit>(conteudo, "dbedReg0000Municipio", QStringLiteral("Nome do município"));
    somenteLeitura(platform::bindEdit(municipio, campo("MUN_DESC")));
    auto* btPesqMunicipio = botaoPesquisa(conteudo, "btPesqMunicipio", QStringLiteral("Município"));
    connect(btPesqMunicipio, &QToolButton::clicked, this,
            [this] { executa([this] { btPesqMunicipioClick(); }); });
    campoComPesquisa(codMun, QStringLiteral("Município"), btPesqMunicipio, municipio);

    form->setColumnStretch(1, 1);
    auto* envolta = new QHBoxLayout;
    envolta->addLayout(form, 3);
    envolta->addStretch(1);
    layout->addLayout(envolta);
    layout->addStretch();
    return pagina;
}

QWidget* TfmPrincipal::paginaRegistroI050() {
    QVBoxLayout* corpo = nullptr;
    QWidget* pagina = paginaComTitulo(QStringLiteral("    Registro I050 - Plano de Contas"), corpo);
    const QStringList entidades = itensDe("RI051COD_ENT_REF");
    auto* grupo = new QGroupBox(QStringLiteral("Código da Entidade Referente"), pagina);
    grupo->setObjectName(QStringLiteral("rgRegI051COD_ENT_REF"));
    grupo->setAccessibleName(QStringLiteral("Código da Entidade Referente"));
    auto* botoes = new QButtonGroup(grupo);
    auto* colunas = new QHBoxLayout(grupo);
    for (int i = 0; i < entidades.size(); ++i) {
        auto* opcao = new QRadioButton(entidades[i], grupo);
        opcao->setObjectName(QStringLiteral("rgRegI051COD_ENT_REF_%1").arg(i));
        opcao->setAccessibleName(entidades[i]);
        botoes->addButton(opcao, i);
        colunas->addWidget(opcao, 1);
    }
    platform::bindOptions(grupo, botoes, dmFCONT->quSPED.fieldByName(QStringLiteral("RI051COD_ENT_REF")),
                          entidades);
    corpo->addWidget(grupo);

    ckRegI050I051ContasNRef =
        controle<QCheckBox>(pagina, "ckRegI050I051ContasNRef", QStringLiteral("Contas não Referenciadas"));
    ckRegI050I051ContasNRef->setText(QStringLiteral("Contas não Referenciadas"));
    ckRegI050I051ContasNRef->setCursor(Qt::PointingHandCursor);
    ckRegI050I051ContasNRef->setToolTip(
        QStringLiteral("Clique aqui para visualizar somente as Contas não Referenciadas."));
    corpo->addWidget(ckRegI050I051ContasNRef);

    dbgdPlanoContasRef =
        controle<QTableView>(pagina, "dbgdPlanoContasRef", QStringLiteral("Plano de Contas"));
    montaGradePlanoContas();
    corpo->addWidget(dbgdPlanoContasRef, 1);
    return pagina;
}

QWidget* TfmPrincipal::paginaRegistroJ930() {
    QVBoxLayout* corpo = nullptr;
    QWidget* pagina = paginaComTitulo(
        QStringLiteral("    Registro J930 - Identificação dos Signatários da Escrituração "), corpo);
    m_modeloJ930 = new ModeloGrade(dmFCONT->quRegJ930old, data::ColunasSignatarios(), this);
    m_modeloJ930->setGravaCadaCelula(true);
    dbgdRegJ930 = controle<QTableView>(pagina, "dbgdRegJ930", QStringLiteral("Signatários"));
    platform::bindGrid(dbgdRegJ930, m_modeloJ930);
    dbgdRegJ930->setItemDelegate(new DelegadoColunas(dbgdRegJ930));
    dbgdRegJ930->verticalHeader()->setDefaultSectionSize(22);
    dbgdRegJ930->verticalHeader()->setFixedWidth(14);
    for (int i = 0; i < m_modeloJ930->columnCount(); ++i) {
        const platform::ColunaGrade& c = *m_modeloJ930->coluna(i);
        dbgdRegJ930->setColumnWidth(i, LarguraNaTela(*dbgdRegJ930, c.largura, c.titulo));
    }
    corpo->addWidget(dbgdRegJ930, 1);
    return pagina;
}

QWidget* TfmPrincipal::paginaRegistroM020() {
    QVBoxLayout* corpo = nullptr;
    QWidget* pagina = paginaComTitulo(
        QStringLiteral("    Registro M020 - Qualificação da Pessoa Jurídica e Retificação"), corpo);
    platform::Query& sped = dmFCONT->quSPED;
    auto* form = new QVBoxLayout;
    form->setSpacing(3);
    auto rotulado = [&](QWidget* w, const QString& rotulo) {
        form->addWidget(rotuloDe(pagina, rotulo, w));
        form->addWidget(w);
        form->addSpacing(6);
    };
    auto picker = [&](const char* nome, const QString& rotulo, const char* campo) {
        auto* combo = controle<QComboBox>(pagina, nome, rotulo);
        platform::bindPicker(combo, sped.fieldByName(QString::fromLatin1(campo)), itensDe(campo));
        rotulado(combo, rotulo);
    };
    auto texto = [&](const char* nome, const QString& rotulo, const char* campo) {
        auto* edit = controle<QLineEdit>(pagina, nome, rotulo);
        platform::bindEdit(edit, sped.fieldByName(QString::fromLatin1(campo)));
        rotulado(edit, rotulo);
    };
    picker("dbcbRM020QUALI_PJ", QStringLiteral("Qualificação da Pessoa Jurídica"), "RM020QUALI_PJ");
    picker("dbcbRM020TIPO_ESCRIT", QStringLiteral("Tipo de Escrituração"), "RM020TIPO_ESCRIT");
    texto("dbedRM020NRO_REC_ANTERIOR", QStringLiteral("Número do Recibo Anterior:"), "RM020NRO_REC_ANTERIOR");
    texto("dbedRM020ID_ESCR_PER_ANT", QStringLiteral("Identificação da escrituração do período anterior "),
          "RM020ID_ESCR_PER_ANT");
    picker("dbcbRM020FORM_TRIBUT", QStringLiteral("Forma de Tributação"), "RM020FORM_TRIBUT");
    picker("dbcbRM020SIT_SLD_PER_ANT",
           QStringLiteral("Situação do saldo da escrituração do período anterior"), "RM020SIT_SLD_PER_ANT");
    picker("dbcbRegM020Form_trib_tri", QStringLiteral("Apuração do Trimestre"), "RM020FORM_TRIB_TRI");
    auto* envolta = new QHBoxLayout;
    envolta->addLayout(form, 3);
    envolta->addStretch(1);
    corpo->addLayout(envolta);
    corpo->addStretch();
    return pagina;
}

QWidget* TfmPrincipal::paginaRegistroM030() {
    QVBoxLayout* corpo = nullptr;
    QWidget* pagina = paginaComTitulo(
        QStringLiteral("    Registro M030 - Identificação do Período de Apuração do Lucro Real"), corpo);
    const QString rotulo = QStringLiteral("Valor do lucro líquido (ou do prejuízo) societário do período\n"
                                          "(Valores Negativos igual a CRÉDITO e Positivos igual a DÉBITO) ");
    auto* valor =
        controle<QLineEdit>(pagina, "rxdbRM030VL_LUC_LIQ",
                            QStringLiteral("Valor do lucro líquido (ou do prejuízo) societário do período"));
    valor->setMaximumWidth(220);
    platform::bindAmount(valor, dmFCONT->quSPED.fieldByName(QStringLiteral("RM030VL_LUC_LIQ")),
                         QStringLiteral("###,###,##0.00"));
    corpo->addWidget(rotuloDe(pagina, rotulo, valor));
    corpo->addWidget(valor);
    corpo->addStretch();
    return pagina;
}

} // namespace ui
