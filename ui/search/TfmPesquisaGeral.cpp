#include "ui/search/TfmPesquisaGeral.h"

#include "common/Consultas.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "platform/DataSetModel.h"
#include "platform/Dialogs.h"
#include "platform/qt/BusyCursor.h"
#include "ui/search/DuploClique.h"
#include "ui/search/LarguraColuna.h"
#include "ui/search/PesquisaGeral.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace ui {

namespace {

class Maiusculas : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override {
        texto = texto.toUpper();
        return Acceptable;
    }
};

constexpr int alturaLinha = 26;
constexpr int topoCampos = 20;

} // namespace

TfmPesquisaGeral::TfmPesquisaGeral(QWidget* parent)
    : QDialog(parent),
      quConsulta(QStringLiteral("quConsulta"), data::dmFCONT ? &data::dmFCONT->trBanco : nullptr),
      m_quCampos(QStringLiteral("quCampos"), data::dmFCONT ? &data::dmFCONT->trBanco : nullptr) {
    setObjectName(QStringLiteral("fmPesquisaGeral"));
    montaSelecao();

    dbgdPesquisaGeral = new QTableView(this);
    dbgdPesquisaGeral->setObjectName(QStringLiteral("dbgdPesquisaGeral"));
    dbgdPesquisaGeral->setAccessibleName(QStringLiteral("Resultado da pesquisa"));
    dbgdPesquisaGeral->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgdPesquisaGeral->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgdPesquisaGeral->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgdPesquisaGeral->verticalHeader()->setDefaultSectionSize(20);
    dbgdPesquisaGeral->verticalHeader()->hide();
    dbgdPesquisaGeral->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: navy; color: white; font-weight: bold; }"));
    dbgdPesquisaGeral->viewport()->installEventFilter(
        new DuploClique(this, [this] { platform::runReporting([this] { dbgdPesquisaGeralDblClick(); }); }));
    m_modelo = new platform::DataSetModel(quConsulta, this);
    dbgdPesquisaGeral->setModel(m_modelo);

    stInformacao = new QStatusBar(this);
    stInformacao->setObjectName(QStringLiteral("stInformacao"));
    stInformacao->setAccessibleName(QStringLiteral("Informação"));
    stInformacao->setSizeGripEnabled(false);
    const int larguras[] = {200, 200, 50};
    for (int i = 0; i < 3; ++i) {
        paineis[i] = new QLabel(stInformacao);
        paineis[i]->setFixedWidth(larguras[i]);
        // Heard as it reads ("Total de Registros: 40"), not as a numbered panel.
        paineis[i]->setAccessibleDescription(QStringLiteral("Informação"));
        stInformacao->addWidget(paineis[i]);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(paSelecao);
    layout->addWidget(dbgdPesquisaGeral, 1);
    layout->addWidget(stInformacao);
    resize(720, 560);

    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    f3->setContext(Qt::WindowShortcut);
    connect(f3, &QShortcut::activated, this, [this] { platform::runReporting([this] { teclaF3(); }); });
}

TfmPesquisaGeral::~TfmPesquisaGeral() = default;

void TfmPesquisaGeral::montaSelecao() {
    paSelecao = new QWidget(this);
    paSelecao->setObjectName(QStringLiteral("paSelecao"));
    gbSelecao = new QGroupBox(QStringLiteral("Campo"), paSelecao);
    gbSelecao->setObjectName(QStringLiteral("gbSelecao"));
    gbSelecao->setAccessibleName(QStringLiteral("Campo"));
    gbSelecao->setFixedWidth(330);
    for (int i = 0; i < 7; ++i) {
        laCampo[i] = new QLabel(gbSelecao);
        laCampo[i]->setObjectName(QStringLiteral("laCampo%1").arg(i));
        laCampo[i]->setGeometry(8, topoCampos + alturaLinha * i + 3, 80, 18);
        laCampo[i]->hide();
        mdCampo[i] = new QLineEdit(gbSelecao);
        mdCampo[i]->setObjectName(QStringLiteral("mdCampo%1").arg(i));
        mdCampo[i]->setGeometry(90, topoCampos + alturaLinha * i, 182, 22);
        mdCampo[i]->hide();
        laCampo[i]->setBuddy(mdCampo[i]);
        if (i < 6) {
            sbPesq[i] = new QToolButton(gbSelecao);
            sbPesq[i]->setObjectName(QStringLiteral("sbPesq%1").arg(i));
            sbPesq[i]->setText(QStringLiteral("..."));
            sbPesq[i]->setAccessibleName(QStringLiteral("Pesquisar campo %1").arg(i));
            sbPesq[i]->setGeometry(276, topoCampos + alturaLinha * i, 22, 22);
            sbPesq[i]->hide();
        }
    }
    bbPesquisa = new QPushButton(QStringLiteral("&OK"), gbSelecao);
    bbPesquisa->setObjectName(QStringLiteral("bbPesquisa"));
    bbPesquisa->setAccessibleName(QStringLiteral("OK"));
    bbPesquisa->setDefault(true);
    bbPesquisa->setGeometry(192, topoCampos, 80, 22);
    connect(bbPesquisa, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { bbPesquisaClick(); }); });

    m_alternativo = new QWidget(paSelecao);
    auto* alt = new QVBoxLayout(m_alternativo);
    alt->setContentsMargins(0, 6, 0, 0);
    auto* laAlternativo = new QLabel(QStringLiteral("Outro campo:"), m_alternativo);
    cbCampos = new QComboBox(m_alternativo);
    cbCampos->setObjectName(QStringLiteral("cbCampos"));
    cbCampos->setAccessibleName(QStringLiteral("Outro campo"));
    laAlternativo->setBuddy(cbCampos);
    edAlternativo = new QLineEdit(m_alternativo);
    edAlternativo->setObjectName(QStringLiteral("edAlternativo"));
    edAlternativo->setAccessibleName(QStringLiteral("Valor do outro campo"));
    edAlternativo->setMaxLength(20);
    edAlternativo->setValidator(new Maiusculas(edAlternativo));
    alt->addWidget(laAlternativo);
    alt->addWidget(cbCampos);
    alt->addWidget(edAlternativo);
    alt->addStretch(1);

    rgOrdem = new QGroupBox(QStringLiteral("Ordenar por "), paSelecao);
    rgOrdem->setObjectName(QStringLiteral("rgOrdem"));
    rgOrdem->setAccessibleName(QStringLiteral("Ordenar por"));
    new QVBoxLayout(rgOrdem);
    grupoOrdem = new QButtonGroup(this);

    rgOnde = new QGroupBox(QStringLiteral("Onde"), paSelecao);
    rgOnde->setObjectName(QStringLiteral("rgOnde"));
    rgOnde->setAccessibleName(QStringLiteral("Onde"));
    grupoOnde = new QButtonGroup(this);
    auto* onde = new QVBoxLayout(rgOnde);
    const QStringList modos{QStringLiteral("Começando com"), QStringLiteral("Contendo"),
                            QStringLiteral("Terminando com")};
    for (int i = 0; i < modos.size(); ++i) {
        auto* opcao = new QRadioButton(modos[i], rgOnde);
        opcao->setAccessibleName(modos[i]);
        grupoOnde->addButton(opcao, i);
        onde->addWidget(opcao);
    }
    onde->addStretch(1);
    grupoOnde->button(1)->setChecked(true);

    auto* linha = new QHBoxLayout(paSelecao);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(gbSelecao);
    linha->addWidget(m_alternativo);
    linha->addWidget(rgOrdem);
    linha->addWidget(rgOnde);
}

void TfmPesquisaGeral::DefinePesquisa(int tipo) {
    const std::optional<data::ConfiguracaoPesquisa> config = data::ConfiguracaoDoTipo(tipo);
    if (!config)
        throw std::invalid_argument("Tipo de pesquisa desconhecido: " + std::to_string(tipo));
    platform::DataSet* dataSet = &data::dmFCONT->quACBC15PC;
    // The field list is all the window needs; an unopened chart gives it without its rows.
    if (dataSet->fieldCount() == 0) {
        m_quCampos.setSql(QStringLiteral("select * from ") + config->tabela + QStringLiteral(" where 1 = 0"));
        m_quCampos.open();
        dataSet = &m_quCampos;
    }
    data::ConfiguracaoPesquisa configuracao = *config;
    if (tipo == 0)
        data::MostraEmpresaSeVarias(configuracao);
    ConfiguraCampos(configuracao, *dataSet);
}

void TfmPesquisaGeral::CarregaCombo(const platform::DataSet& dataSet, QComboBox& combo) {
    combo.clear();
    for (const platform::Field* f : dataSet.fields())
        combo.addItem(f->displayLabel());
    combo.setCurrentIndex(-1);
}

void TfmPesquisaGeral::ConfiguraCampos(const data::ConfiguracaoPesquisa& config, platform::DataSet& dataSet) {
    m_config = config;
    setWindowTitle(config.titulo);
    const int n = static_cast<int>(config.campos.size());
    paSelecao->setFixedHeight(alturaLinha * n + 45);
    DataSetPesquisa = &dataSet;
    CarregaCombo(dataSet, *cbCampos);

    for (QAbstractButton* b : grupoOrdem->buttons()) {
        grupoOrdem->removeButton(b);
        delete b;
    }
    for (int i = 0; i < n && i < 7; ++i) {
        const data::CampoPesquisa& campo = config.campos[i];
        laCampo[i]->setText(campo.rotulo);
        laCampo[i]->show();
        mdCampo[i]->setAccessibleName(campo.rotulo);
        mdCampo[i]->setMaxLength(campo.tamanho > 0 ? campo.tamanho : 32767);
        mdCampo[i]->setFixedWidth(i == n - 1 ? 97 : 182);
        mdCampo[i]->show();
        const QChar tipo = campo.tipo.toUpper();
        if (tipo == QLatin1Char('D'))
            mdCampo[i]->setInputMask(QStringLiteral("99/99/99;_"));
        else if (tipo == QLatin1Char('H'))
            mdCampo[i]->setInputMask(QStringLiteral("99:99;_"));
        auto* opcao = new QRadioButton(campo.rotulo, rgOrdem);
        opcao->setAccessibleName(campo.rotulo);
        grupoOrdem->addButton(opcao, i);
        rgOrdem->layout()->addWidget(opcao);
    }
    if (n > 0)
        bbPesquisa->move(90 + 97 + 8, topoCampos + alturaLinha * (n - 1));
    if (QAbstractButton* primeira = grupoOrdem->button(0))
        primeira->setChecked(true);
}

data::Onde TfmPesquisaGeral::onde() const {
    switch (grupoOnde->checkedId()) {
    case 0:
        return data::Onde::ComecandoCom;
    case 2:
        return data::Onde::TerminandoCom;
    default:
        return data::Onde::Contendo;
    }
}

std::optional<data::CampoAlternativo> TfmPesquisaGeral::alternativo() const {
    const int i = cbCampos->currentIndex();
    if (i < 0 || !DataSetPesquisa || i >= DataSetPesquisa->fieldCount())
        return std::nullopt;
    const platform::Field& f = DataSetPesquisa->field(i);
    return data::CampoAlternativo{f.name(), f.type(), f.size(), edAlternativo->text()};
}

QString TfmPesquisaGeral::mascaraDaConta() const {
    QString mascara;
    platform::Query& sped = data::dmFCONT->quSPED;
    if (sped.active())
        if (const platform::Field* f = sped.findField(QStringLiteral("SPMASCARA")))
            mascara = common::Trim(f->asString());
    if (mascara.isEmpty() && !quConsulta.isEmpty()) {
        const platform::Field* empresa = quConsulta.findField(QStringLiteral("PACODIGO"));
        if (empresa) {
            const QString codigo = quConsulta.valueAt(0, empresa->index()).toString();
            common::BuscaValor(QStringLiteral("pacontamascara"), QStringLiteral("AUGC01PA"),
                               QStringLiteral(" where PACODIGO = ") + codigo, data::dmFCONT->quAux1, mascara);
        }
    }
    return common::Trim(mascara);
}

void TfmPesquisaGeral::ExecutaPesquisa(QString& encontrados) {
    const platform::BusyCursor ampulheta;
    // The reopened query brings new fields: titles and widths again, however the search ends.
    const auto religa = qScopeGuard([this] { ajustaGrade(); });

    QStringList valores;
    for (int i = 0; i < m_config.campos.size() && i < 7; ++i) {
        QString v = mdCampo[i]->text();
        // A date or time entry without digits reads as empty.
        if (!mdCampo[i]->inputMask().isEmpty() &&
            QString(v).remove(QLatin1Char('/')).remove(QLatin1Char(':')).trimmed().isEmpty())
            v.clear();
        valores << v;
    }
    const data::ComandosPesquisa comandos = data::MontaPesquisaGeral(
        m_config, valores, onde(), std::max(0, grupoOrdem->checkedId()), alternativo());

    quConsulta.close();
    quConsulta.setSqlLines(comandos.consulta);
    quConsulta.open();
    if (m_config.tipo == 0) {
        const QString mascara = mascaraDaConta();
        if (platform::Field* ordenacao = quConsulta.findField(QStringLiteral("PCORDENACAO"));
            ordenacao && !mascara.isEmpty())
            ordenacao->onGetText = [figura = mascara + QStringLiteral(";0;_")](const platform::Field&,
                                                                               const QVariant& v) {
                return v.isNull() ? QString() : data::FormataMascara(figura, v.toString());
            };
    }

    encontrados.clear();
    platform::Query& contagem = data::dmFCONT->quAux1;
    try {
        contagem.close();
        contagem.setSqlLines(comandos.contagem);
        contagem.open();
        encontrados = contagem.field(0).asString();
        contagem.close();
    } catch (...) {
        encontrados.clear();
        contagem.close();
    }
}

void TfmPesquisaGeral::ajustaGrade() {
    // Only the configured columns show, in the configured order, with their titles and widths.
    if (quConsulta.active())
        for (platform::Field* f : quConsulta.fields()) {
            bool naGrade = false;
            for (const platform::ColunaGrade& g : m_config.grade)
                if (f->name().compare(g.campo, Qt::CaseInsensitive) == 0) {
                    f->setDisplayLabel(g.titulo);
                    naGrade = true;
                }
            f->setVisible(naGrade);
        }
    m_modelo->reset();
    QHeaderView* cabecalho = dbgdPesquisaGeral->horizontalHeader();
    for (int k = 0; k < static_cast<int>(m_config.grade.size()); ++k) {
        const platform::ColunaGrade& g = m_config.grade[static_cast<size_t>(k)];
        if (const int c = m_modelo->colunaDe(g.campo); c >= 0) {
            cabecalho->moveSection(cabecalho->visualIndex(c), k);
            dbgdPesquisaGeral->setColumnWidth(c, LarguraNaTela(*dbgdPesquisaGeral, g.largura, g.titulo));
        }
    }
    if (m_modelo->rowCount() > 0)
        dbgdPesquisaGeral->setCurrentIndex(m_modelo->index(0, 0));
}

void TfmPesquisaGeral::bbPesquisaClick() {
    QString encontrados;
    ExecutaPesquisa(encontrados);
    paineis[1]->setText(QStringLiteral("Registros Encontrados: ") + encontrados);
    if (paineis[0]->text().isEmpty())
        paineis[0]->setText(
            QStringLiteral("Total de Registros: ") +
            QString::number(common::BuscaValorInteiro(QStringLiteral("count(*)"), m_config.tabela, QString(),
                                                      data::dmFCONT->quAux1)));
}

void TfmPesquisaGeral::sincronizaLinha() {
    const QModelIndex atual = dbgdPesquisaGeral->currentIndex();
    if (quConsulta.active() && atual.isValid() && atual.row() < quConsulta.recordCount())
        quConsulta.moveTo(atual.row());
}

void TfmPesquisaGeral::dbgdPesquisaGeralDblClick() {
    if (!quConsulta.active())
        return;
    sincronizaLinha();
    accept();
}

void TfmPesquisaGeral::teclaF3() {
    bbPesquisaClick();
    if (m_modelo->rowCount() > 0)
        dbgdPesquisaGeral->setCurrentIndex(m_modelo->index(0, 0));
    quConsulta.first();
    dbgdPesquisaGeralDblClick();
}

bool AbrePesquisaGeral(int tipo, QString& r1, QString& r2, QString& r3, QString& r4, const QString& n1,
                       const QString& n2, const QString& n3, const QString& n4) {
    TfmPesquisaGeral janela;
    janela.DefinePesquisa(tipo);
    if (janela.exec() != QDialog::Accepted)
        return false;
    janela.sincronizaLinha();
    platform::Query& consulta = janela.quConsulta;
    r1 = consulta.fieldByName(common::Trim(n1)).asString();
    QString* saidas[] = {&r2, &r3, &r4};
    const QString* nomes[] = {&n2, &n3, &n4};
    for (int i = 0; i < 3; ++i)
        if (!common::Trim(*nomes[i]).isEmpty())
            *saidas[i] = consulta.fieldByName(common::Trim(*nomes[i])).asString();
    consulta.close();
    return true;
}

} // namespace ui
