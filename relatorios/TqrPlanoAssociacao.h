#pragma once

#include "platform/relatorio/RelatorioBandas.h"

namespace data {
class TdmFCONT;
}

namespace relatorios {

// The association rows of the open parameter set, in the order of quRegI050I051: the company
// account's ordering code, name and type beside the referential account and its description.
class TqrPlanoAssociacao : public platform::RelatorioBandas {
public:
    explicit TqrPlanoAssociacao(data::TdmFCONT& dm);

    void DetailBand1BeforePrint(platform::Banda& banda);

private:
    data::TdmFCONT& m_dm;
};

} // namespace relatorios
