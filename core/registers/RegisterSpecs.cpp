#include "registers/RegisterSpecs.h"

#include "registers/InvConso.h"
#include "registers/InvMateriel.h"
#include "registers/MaintComp.h"
#include "registers/RebreatherServ.h"
#include "registers/RepEpaves.h"

namespace divelog {

const RegisterSpec* registerSpec(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Epaves: return &RepEpaves::instance();
        case DocumentKind::Materiel: return &InvMateriel::instance();
        case DocumentKind::Rebreather: return &RebreatherServ::instance();
        case DocumentKind::Compresseur: return &MaintComp::instance();
        case DocumentKind::Consommables: return &InvConso::instance();
        default: return nullptr;
    }
}

}  // namespace divelog
