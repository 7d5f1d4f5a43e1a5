#pragma once

#include "platform/relatorio/RelatorioBandas.h"

namespace data {
class TdmFCONT;
}

namespace relatorios {

// The referential chart of accounts as it stands in cdsPlanoRef, in the table's current order.
class TqrPlanoReferencial : public platform::RelatorioBandas {
public:
    explicit TqrPlanoReferencial(data::TdmFCONT& dm);

    void DetailBand1BeforePrint(platform::Banda& banda);

private:
    data::TdmFCONT& m_dm;
};

} // namespace relatorios
