#include "ui/main/PaginaRegistro0000.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The frame on top: the two dates side by side, the two situations below them.
const CampoPagina quadro[] = {
    {"deReg0000DataIni", "Data inicial", "R0000DT_INI", Entrada::Data},
    {"deReg0000DataFin", "Data final", "R0000DT_FIN", Entrada::Data},
    {"dbcbIND_SIT_ESP", "Situação Especial", "R0000IND_SIT_ESP", Entrada::Lista},
    {"dbcbIND_SIT_INI_PER", "Situação no Início do Período", "R0000IND_SIT_INI_PER", Entrada::Lista},
};

// The rows below the frame: a field, maybe a second one beside it, maybe a lookup button.
struct LinhaPagina {
    CampoPagina campo;
    const char* botao = nullptr;
    const char* pesquisa = nullptr; // what the button looks up, for its name and hint
    CampoPagina ao_lado = {};
};

const LinhaPagina linhas[] = {
    {{"dbedReg0000EmpresaProc", "Empresa Processada (Kalvero 3):", "EMPRESA", Entrada::Leitura},
     "btPesqEmpProc",
     "Empresa Processada"},
    {{"ckConsolidar", "Consolidar", "R0000CONSOLIDAR", Entrada::Marca}},
    {{"dbedReg0000CodLocal", "Local (Kalvero 3):", "FILIAL", Entrada::Leitura}, "btPesqLocal", "Local"},
    {{"dbedReg0000Razao", "Razão Social", "R0000NOME"}},
    {{"dbedReg0000CNPJ", "CNPJ", "R0000CNPJ", Entrada::Digitos, "99.999.999/9999-99;_"}},
    {{"dbedReg0000IE", "I.E.", "R0000IE"}},
    {{"dbedReg0000UF", "UF", "R0000UF"}},
    {{"dbedReg0000IM", "I.M.", "R0000IM"}},
    {{"dbedReg0000CodMun", "Município", "R0000COD_MUN", Entrada::Leitura},
     "btPesqMunicipio",
     "Município",
     {"dbedReg0000Municipio", "Nome do município", "MUN_DESC", Entrada::Leitura}},
};

QToolButton* botaoPesquisa(QWidget* pai, const char* nome, const QString& doQue) {
    auto* b = new QToolButton(pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(QStringLiteral("..."));
    b->setAccessibleName(QStringLiteral("Pesquisar ") + doQue);
    b->setToolTip(QStringLiteral("Pesquisar ") + doQue);
    return b;
}

} // namespace

QToolButton* PaginaRegistro0000::btPesqEmpProc() const {
    return findChild<QToolButton*>(QStringLiteral("btPesqEmpProc"));
}

QToolButton* PaginaRegistro0000::btPesqLocal() const {
    return findChild<QToolButton*>(QStringLiteral("btPesqLocal"));
}

QToolButton* PaginaRegistro0000::btPesqMunicipio() const {
    return findChild<QToolButton*>(QStringLiteral("btPesqMunicipio"));
}

PaginaRegistro0000::PaginaRegistro0000(platform::DataSet& sped, QWidget* parent)
    : PaginaRegistro(QStringLiteral("    Registro 0000 - Abertura, Identificação e Referências"), parent) {
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* conteudo = new QWidget;
    area->setWidget(conteudo);
    corpo()->addWidget(area);
    auto* layout = new QVBoxLayout(conteudo);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* moldura = new QGroupBox(conteudo);
    auto* grade = new QGridLayout(moldura);
    int linhaGrade = 0;
    for (size_t i = 0; i < std::size(quadro); ++i) {
        const Controle c = cria(quadro[i], sped, moldura);
        if (i < 2) {
            grade->addWidget(c.rotulo, 0, static_cast<int>(i));
            grade->addWidget(c.controle, 1, static_cast<int>(i));
            linhaGrade = 2;
        } else {
            grade->addWidget(c.rotulo, linhaGrade++, 0, 1, 2);
            grade->addWidget(c.controle, linhaGrade++, 0, 1, 2);
        }
    }
    grade->setColumnStretch(2, 1);
    layout->addWidget(moldura);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(6);
    for (int linha = 0; linha < static_cast<int>(std::size(linhas)); ++linha) {
        const LinhaPagina& l = linhas[linha];
        const Controle c = cria(l.campo, sped, conteudo);
        if (!c.rotulo) {
            form->addWidget(c.controle, linha, 1);
            continue;
        }
        form->addWidget(c.rotulo, linha, 0);
        auto* caixa = new QHBoxLayout;
        // A code filled by a lookup is short; the room beside it goes to its name, or stays empty.
        const bool curto = l.botao != nullptr;
        caixa->addWidget(c.controle, curto ? 0 : 1);
        if (curto) {
            c.controle->setMaximumWidth(120);
            if (l.ao_lado.nome) {
                caixa->addWidget(cria(l.ao_lado, sped, conteudo, false).controle, 1);
            } else {
                caixa->addWidget(new QWidget(conteudo), 1);
            }
            caixa->addWidget(botaoPesquisa(conteudo, l.botao, QString::fromUtf8(l.pesquisa)));
        }
        form->addLayout(caixa, linha, 1);
    }
    form->setColumnStretch(1, 1);
    auto* envolta = new QHBoxLayout;
    envolta->addLayout(form, 3);
    envolta->addStretch(1);
    layout->addLayout(envolta);
    layout->addStretch();
}

} // namespace ui
