#include "registers/RegisterSpecs.h"

#include "registers/AdressesEts.h"
#include "registers/AdressesStruct.h"
#include "registers/DiversDocuments.h"
#include "registers/InvConso.h"
#include "registers/InvMateriel.h"
#include "registers/MaintComp.h"
#include "registers/PreviBudget.h"
#include "registers/RebreatherServ.h"
#include "registers/RepEpaves.h"

namespace divelog {

const RegisterSpec* registerSpec(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Epaves: return &RepEpaves::instance();
        case DocumentKind::Materiel: return &InvMateriel::instance();
        case DocumentKind::Budget: return &PreviBudget::instance();
        case DocumentKind::Entreprises: return &AdressesEts::instance();
        case DocumentKind::Structures: return &AdressesStruct::instance();
        case DocumentKind::DiversDocuments: return &DiversDocuments::instance();
        case DocumentKind::Rebreather: return &RebreatherServ::instance();
        case DocumentKind::Compresseur: return &MaintComp::instance();
        case DocumentKind::Consommables: return &InvConso::instance();
        default: return nullptr;
    }
}

}  // namespace divelog
