#pragma once

#include "data/ColunasGrades.h"
#include "platform/relatorio/RelatorioBandas.h"

namespace data {
class TdmFCONT;
}

namespace relatorios {

// The association rows of the open parameter set, in the order of quRegI050I051, in the report's
// columns of the description: the company account's name, ordering code and type beside the
// referential account and its description. The columns share the page's width in proportion to
// their design widths.
class TqrPlanoAssociacao : public platform::RelatorioBandas {
public:
    explicit TqrPlanoAssociacao(
        data::TdmFCONT& dm, const std::vector<platform::ColunaGrade>& descricao = data::ColunasAssociacao());

    void DetailBand1BeforePrint(platform::Banda& banda);

private:
    data::TdmFCONT& m_dm;
};

} // namespace relatorios
