#include "relatorios/ExportaExcel.h"

#include "data/dmFCONT.h"
#include "platform/EventLoop.h"
#include "platform/GravacaoSegura.h"

#include <QFile>

#include <xlsxwriter.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace relatorios {

namespace {

// A sheet counts characters where the grid counts pixels: about seven pixels to a character. A
// column of the grid's default width gets room for a long name.
double larguraNaPlanilha(const platform::ColunaGrade& coluna) {
    return coluna.largura > 0 ? std::ceil(coluna.largura / 7.0) : 40;
}

void confere(lxw_error erro, const QString& arquivo) {
    if (erro != LXW_NO_ERROR)
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(arquivo, QString::fromUtf8(lxw_strerror(erro))).toStdString());
}

// Frees the workbook when a write fails halfway; workbook_close both writes and frees.
struct Pasta {
    lxw_workbook* livro;
    ~Pasta() {
        if (livro)
            workbook_close(livro);
    }
};

} // namespace

int ExportaTabelaExcel(const platform::DataSet& ds, const std::vector<platform::ColunaGrade>& descricao,
                       const QString& arquivo, const QString& nomeFolha,
                       const std::function<bool(int linha)>& incluir) {
    const std::vector<platform::ColunaGrade> colunas = platform::ColunasDa(descricao, platform::NaPlanilha);
    // The library writes the whole workbook at its close: into the temporary file, which only
    // replaces the target once the close succeeded.
    platform::GravacaoSegura gravacao(arquivo);
    const QByteArray nome = QFile::encodeName(gravacao.temporario());
    lxw_workbook_options opcoes{};
    opcoes.constant_memory = LXW_FALSE;
    Pasta pasta{workbook_new_opt(nome.constData(), &opcoes)};
    if (!pasta.livro)
        throw std::runtime_error(
            QStringLiteral("%1: não foi possível criar a planilha").arg(arquivo).toStdString());
    lxw_worksheet* folha = workbook_add_worksheet(pasta.livro, nomeFolha.toUtf8().constData());
    lxw_format* negrito = workbook_add_format(pasta.livro);
    format_set_bold(negrito);
    format_set_bottom(negrito, LXW_BORDER_THIN);

    for (size_t c = 0; c < colunas.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        confere(worksheet_set_column(folha, col, col, larguraNaPlanilha(colunas[c]), nullptr), arquivo);
        confere(worksheet_write_string(folha, 0, col, colunas[c].titulo.toUtf8().constData(), negrito),
                arquivo);
    }
    worksheet_freeze_panes(folha, 1, 0);

    int linhas = 0;
    if (ds.active()) {
        std::vector<int> indices(colunas.size());
        for (size_t c = 0; c < colunas.size(); ++c)
            indices[c] = ds.fieldByName(colunas[c].campo).index();
        for (int r = 0; r < ds.recordCount(); ++r) {
            if (incluir && !incluir(r))
                continue;
            platform::processPendingEvents();
            ++linhas;
            const auto linha = static_cast<lxw_row_t>(linhas);
            for (size_t c = 0; c < colunas.size(); ++c) {
                const platform::Field& campo = ds.field(indices[c]);
                const QVariant valor = ds.valueAt(r, indices[c]);
                if (!valor.isValid())
                    continue;
                const auto col = static_cast<lxw_col_t>(c);
                if (campo.isInteger())
                    confere(worksheet_write_number(folha, linha, col, static_cast<double>(valor.toLongLong()),
                                                   nullptr),
                            arquivo);
                else
                    confere(worksheet_write_string(folha, linha, col,
                                                   campo.displayTextOf(valor).toUtf8().constData(), nullptr),
                            arquivo);
            }
        }
    }
    lxw_workbook* livro = pasta.livro;
    pasta.livro = nullptr;
    confere(workbook_close(livro), arquivo);
    gravacao.conclui();
    return linhas;
}

int ExportaPlanoContasExcel(data::TdmFCONT& dm, const QString& arquivo, bool somenteNaoReferenciadas,
                            const std::vector<platform::ColunaGrade>& descricao) {
    const platform::Query& ds = dm.quRegI050I051;
    std::function<bool(int)> incluir;
    if (somenteNaoReferenciadas && ds.active()) {
        const int referencial = ds.fieldByName(QStringLiteral("COD_CTA_REF")).index();
        // The same test as the grid's statement: a blank code is no referential account.
        incluir = [&ds, referencial](int r) {
            return ds.valueAt(r, referencial).toString().trimmed().isEmpty();
        };
    }
    return ExportaTabelaExcel(ds, descricao, arquivo, QStringLiteral("Plano de Contas"), incluir);
}

} // namespace relatorios
