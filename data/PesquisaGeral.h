#pragma once

#include "platform/ColunaGrade.h"
#include "platform/DataSet.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The configurable search over one database table: its configuration and the statements built
// from the typed values. No widgets, so tests and fcont-cli build the same texts.
namespace data {

struct CampoPesquisa {
    QString expressao; // a column qualified by the table, optionally followed by " as " alias
    QString rotulo;
    QChar tipo;      // I integer, S text, D date, H time, N number
    int tamanho = 0; // the entry's maximum length; 0 = no limit
};

struct ConfiguracaoPesquisa {
    int tipo = 0;
    QString titulo;
    QString tabela;
    QList<CampoPesquisa> campos;
    std::vector<platform::ColunaGrade> grade;
    QStringList filtrosFixos;
};

// Kind 0, the company chart of accounts; the only kind this system has. nullopt for others.
std::optional<ConfiguracaoPesquisa> ConfiguracaoDoTipo(int tipo);

enum class Onde { ComecandoCom, Contendo, TerminandoCom };

// The alternative field: one field of the searched dataset and the value typed for it.
struct CampoAlternativo {
    QString nome;
    platform::FieldType tipo = platform::FieldType::String;
    int tamanho = 0;
    QString valor;
};

struct ComandosPesquisa {
    QStringList consulta;
    QStringList contagem;
};

// A chart that holds the accounts of more than one company lists the same codes and names once
// per company: the grid then shows the company's code first. A failed count adds nothing.
void MostraEmpresaSeVarias(ConfiguracaoPesquisa& config);

// True when the name (trimmed, any case) is one of the expressions, an expression with an alias
// counting by its alias.
bool CampoListado(const QString& nome, const QStringList& expressoes);

// The field-type code of the filter builder for a dataset field type.
int CodigoTipoCampo(platform::FieldType tipo);

// The search statement and its count statement, a line each. `valores` holds the entry texts of
// the search fields in order; `ordem` is the 0-based "order by" choice. A value that cannot be
// read for its field's type shows its message and raises the silent abort.
ComandosPesquisa MontaPesquisaGeral(const ConfiguracaoPesquisa& config, const QStringList& valores, Onde onde,
                                    int ordem, const std::optional<CampoAlternativo>& alternativo);

// A code laid out on an input mask ("9.9.99.999;0;_"): mask characters take the code's
// characters in turn, literals are shown as they are, positions left over show the blank.
QString FormataMascara(const QString& mascara, const QString& valor);

} // namespace data
