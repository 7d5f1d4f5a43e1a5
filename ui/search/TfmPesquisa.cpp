#include "ui/search/TfmPesquisa.h"

#include "common/Mensagens.h"
#include "common/Texto.h"
#include "data/dmFCONT.h"
#include "platform/Abort.h"
#include "platform/Dialogs.h"
#include "ui/search/CoresPlano.h"
#include "ui/search/DuploClique.h"
#include "ui/search/ModeloPesquisa.h"
#include "ui/search/Pesquisa.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

namespace {

const QString tituloJanela = QStringLiteral("Quibrano SPED - Pesquisa");

std::optional<ModeloPesquisa::Cores> coresDoPlanoRef(const platform::DataSet& plano, int linha) {
    const platform::Field* tipo = plano.findField(QStringLiteral("TIPO"));
    const platform::Field* fim = plano.findField(QStringLiteral("DT_FIN_VALIDADE"));
    if (!tipo || !fim)
        return std::nullopt;
    return CoresLinhaPlano(common::Trim(plano.valueAt(linha, tipo->index()).toString()),
                           plano.valueAt(linha, fim->index()), InicioDoPeriodo());
}

} // namespace

TfmPesquisa::TfmPesquisa(QWidget* parent)
    : QDialog(parent),
      quPesquisa(QStringLiteral("quPesquisa"), data::dmFCONT ? &data::dmFCONT->trBanco : nullptr) {
    setObjectName(QStringLiteral("fmPesquisa"));
    setWindowTitle(tituloJanela);
    montaCampos();
    montaOpcoes();

    dbgdPesquisa = new QTableView(this);
    dbgdPesquisa->setObjectName(QStringLiteral("dbgdPesquisa"));
    dbgdPesquisa->setAccessibleName(QStringLiteral("Resultado da pesquisa"));
    dbgdPesquisa->horizontalHeader()->hide();
    dbgdPesquisa->verticalHeader()->hide();
    dbgdPesquisa->verticalHeader()->setDefaultSectionSize(20);
    dbgdPesquisa->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgdPesquisa->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgdPesquisa->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgdPesquisa->viewport()->installEventFilter(
        new DuploClique(this, [this] { platform::runReporting([this] { dbgdPesquisaDblClick(); }); }));

    auto* topo = new QHBoxLayout;
    topo->addWidget(gbCampo, 1);
    topo->addWidget(rgOrdenar);
    topo->addWidget(rgOnde);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(dbgdPesquisa, 1);
    setFixedSize(720, 480);
}

TfmPesquisa::~TfmPesquisa() {
    // The chart stays whole for the association grid and the report, in the last search's order.
    if (m_fonte && m_fonte->referencial() && data::dmFCONT)
        data::dmFCONT->cdsPlanoRef.setFiltered(false);
}

void TfmPesquisa::montaCampos() {
    gbCampo = new QGroupBox(QStringLiteral("Campo"), this);
    gbCampo->setObjectName(QStringLiteral("gbCampo"));
    gbCampo->setAccessibleName(QStringLiteral("Campo"));
    auto* grade = new QGridLayout(gbCampo);
    QLabel** rotulos[] = {&Label1, &Label2, &Label3};
    QLineEdit** caixas[] = {&Edit1, &Edit2, &Edit3};
    for (int i = 0; i < 3; ++i) {
        QLabel* rotulo = new QLabel(gbCampo);
        rotulo->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        QLineEdit* caixa = new QLineEdit(gbCampo);
        caixa->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        rotulo->setBuddy(caixa);
        *rotulos[i] = rotulo;
        *caixas[i] = caixa;
        grade->addWidget(rotulo, i, 0);
    }
    grade->addWidget(Edit1, 0, 1, 1, 2);
    grade->addWidget(Edit2, 1, 1, 1, 2);
    // The third box is meant for a code.
    Edit3->setFixedWidth(100);
    grade->addWidget(Edit3, 2, 1);
    buOK = new QPushButton(QStringLiteral("&OK"), gbCampo);
    buOK->setObjectName(QStringLiteral("buOK"));
    buOK->setAccessibleName(QStringLiteral("OK"));
    grade->addWidget(buOK, 2, 2, Qt::AlignRight);
    grade->setColumnStretch(1, 1);
    connect(buOK, &QPushButton::clicked, this,
            [this] { platform::runReporting([this] { CarregaPesquisa(); }); });
}

void TfmPesquisa::montaOpcoes() {
    rgOrdenar = new QGroupBox(QStringLiteral("Ordenar Por"), this);
    rgOrdenar->setObjectName(QStringLiteral("rgOrdenar"));
    rgOrdenar->setAccessibleName(QStringLiteral("Ordenar Por"));
    grupoOrdenar = new QButtonGroup(this);
    auto* ordenar = new QVBoxLayout(rgOrdenar);
    for (int i = 0; i < 3; ++i) {
        auto* opcao = new QRadioButton(rgOrdenar);
        grupoOrdenar->addButton(opcao, i);
        ordenar->addWidget(opcao);
    }

    rgOnde = new QGroupBox(QStringLiteral("Onde"), this);
    rgOnde->setObjectName(QStringLiteral("rgOnde"));
    rgOnde->setAccessibleName(QStringLiteral("Onde"));
    grupoOnde = new QButtonGroup(this);
    auto* onde = new QVBoxLayout(rgOnde);
    const QStringList modos{QStringLiteral("Começando com"), QStringLiteral("Contendo"),
                            QStringLiteral("Terminando com"), QStringLiteral("Por Palavra")};
    for (int i = 0; i < modos.size(); ++i) {
        auto* opcao = new QRadioButton(modos[i], rgOnde);
        opcao->setAccessibleName(modos[i]);
        grupoOnde->addButton(opcao, i);
        onde->addWidget(opcao);
    }
    grupoOnde->button(1)->setChecked(true);
}

data::ModoBusca TfmPesquisa::modo() const {
    switch (grupoOnde->checkedId()) {
    case 0:
        return data::ModoBusca::ComecandoCom;
    case 2:
        return data::ModoBusca::TerminandoCom;
    case 3:
        return data::ModoBusca::PorPalavra;
    default:
        return data::ModoBusca::Contendo;
    }
}

void TfmPesquisa::ligaGrade(platform::DataSet& dataSet) {
    if (m_dataSet != &dataSet || !m_modelo) {
        m_dataSet = &dataSet;
        auto* anterior = m_modelo;
        m_modelo = new ModeloPesquisa(dataSet, this);
        dbgdPesquisa->setModel(m_modelo);
        delete anterior;
        connect(dbgdPesquisa->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this] { sincronizaLinha(); });
    }
    if (m_fonte && m_fonte->referencial())
        m_modelo->setPintura([&dataSet](int linha) { return coresDoPlanoRef(dataSet, linha); });
    m_modelo->reset();
    // Without titles the columns are sized by what they hold, long descriptions within reason.
    dbgdPesquisa->resizeColumnsToContents();
    for (int c = 0; c < m_modelo->columnCount(); ++c)
        dbgdPesquisa->setColumnWidth(c, std::min(dbgdPesquisa->columnWidth(c), 360));
    if (m_modelo->rowCount() > 0)
        dbgdPesquisa->setCurrentIndex(m_modelo->index(0, 0));
}

void TfmPesquisa::sincronizaLinha() {
    const QModelIndex atual = dbgdPesquisa->currentIndex();
    if (m_dataSet && m_dataSet->active() && atual.isValid() && atual.row() < m_dataSet->recordCount())
        m_dataSet->moveTo(atual.row());
}

void TfmPesquisa::ConfiguraPesquisa() {
    try {
        quPesquisa.close();
        setWindowTitle(windowTitle() + QLatin1Char(' ') + TipoPesquisa);
        m_fonte = data::FonteDaPesquisa(TipoPesquisa);
        if (!m_fonte)
            throw std::invalid_argument("unknown lookup kind");
        if (!m_fonte->referencial())
            quPesquisa.setSql(m_fonte->sql);
        QLabel* rotulos[] = {Label1, Label2, Label3};
        QLineEdit* caixas[] = {Edit1, Edit2, Edit3};
        for (int i = 0; i < 3; ++i) {
            rotulos[i]->setText(m_fonte->rotulos.value(i));
            caixas[i]->setAccessibleName(common::Trim(m_fonte->rotulos.value(i)).chopped(1));
            QAbstractButton* opcao = grupoOrdenar->button(i);
            opcao->setText(m_fonte->ordens.value(i));
            opcao->setAccessibleName(m_fonte->ordens.value(i));
        }
        grupoOrdenar->button(0)->setChecked(true);
        if (m_fonte->referencial()) {
            platform::MemTable& plano = data::dmFCONT->cdsPlanoRef;
            if (!plano.active())
                plano.open();
            plano.first();
            ligaGrade(plano);
        } else {
            quPesquisa.open();
            ligaGrade(quPesquisa);
        }
    } catch (...) {
        common::MostraMensagem(QStringLiteral("Erro: ao configurar a pesquisa!"), true);
    }
}

void TfmPesquisa::CarregaPesquisa() {
    try {
        const QStringList valores{Edit1->text(), Edit2->text(), Edit3->text()};
        const int ordem = std::max(0, grupoOrdenar->checkedId());
        if (!m_fonte)
            throw std::logic_error("lookup window not configured");
        if (m_fonte->referencial()) {
            platform::MemTable& plano = data::dmFCONT->cdsPlanoRef;
            plano.setFiltered(false);
            plano.setFilter(QStringLiteral("1 = 1"));
            plano.setFilter(data::MontaFiltroPlanoRef(modo(), valores));
            plano.clearIndexes();
            plano.addIndex(QStringLiteral("IDX_FILTER"), m_fonte->camposOrdem.value(ordem), true);
            plano.setIndexName(QStringLiteral("IDX_FILTER"));
            // No filter options: the filter compares case-sensitively, the index ignores case.
            plano.setFiltered(true);
            plano.first();
            ligaGrade(plano);
        } else {
            quPesquisa.close();
            quPesquisa.setSqlLines(data::MontaPesquisa(*m_fonte, modo(), valores, ordem));
            quPesquisa.open();
            ligaGrade(quPesquisa);
        }
    } catch (...) {
        if (m_dataSet)
            ligaGrade(*m_dataSet);
        common::MostraMensagem(QStringLiteral("Erro: ao carregar pesquisa!"), true);
    }
}

QString TfmPesquisa::chaveAtual() {
    sincronizaLinha();
    if (!m_dataSet || !m_dataSet->active() || m_dataSet->isEmpty() || !m_fonte)
        return QString();
    if (m_fonte->referencial())
        return common::Trim(m_dataSet->fieldByName(QStringLiteral("COD_CTA_REF")).asString());
    return m_dataSet->field(0).asString();
}

void TfmPesquisa::dbgdPesquisaDblClick() {
    accept();
}

bool AbrePesquisa(const QString& tipo, QString& chave) {
    TfmPesquisa janela;
    janela.TipoPesquisa = tipo;
    janela.ConfiguraPesquisa();
    if (janela.exec() != QDialog::Accepted)
        return false;
    chave = janela.chaveAtual();
    return true;
}

} // namespace ui
