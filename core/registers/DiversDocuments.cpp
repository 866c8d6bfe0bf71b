#include "registers/DiversDocuments.h"

#include <array>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using D = DiversDocs;
using C = ControlKind;

const RegisterNames kNames{"newDoc",
                           "addDoc",
                           "insertDoc",
                           "updateDoc",
                           "deleteDoc",
                           "ajouterEp",
                           "insererEp",
                           "validerEp",
                           "supprimerEp",
                           "docTableViewWindowToolbar",
                           "docEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"type", "Kind", 120},
    {"titre", "Title", 180},
    {"emetteur", "Issuer", 140},
    {"date", "Date", 90},
    {"dateRenouvellement", "Renewal date", 90},
});

// Views: 1 the document and its renewal, 2 its scanned copy, 3 notes.
const auto kControls = std::to_array<FormControl>({
    {"type", C::Popup, 1, "Kind", {}, &DiversDocs::kinds()},
    {"titre", C::Text, 1, "Title"},
    {"emetteur", C::Text, 1, "Issuer"},
    {"date", C::Date, 1, "Date"},
    {"renouveler", C::Switch, 1, "To renew"},
    {"dateRenouvellement", C::Date, 1, "Renewal date"},
    {"photocopy", C::Image, 2, "Photocopy"},
    {"notes", C::Notes, 3, "Notes"},
});

}  // namespace

const DiversDocuments& DiversDocuments::instance() {
    static const DiversDocuments spec;
    return spec;
}

const RegisterNames& DiversDocuments::names() const { return kNames; }
std::span<const ColumnSpec> DiversDocuments::columns() const { return kColumns; }

std::span<const std::string_view> DiversDocuments::viewTitles() const {
    static constexpr std::string_view titles[] = {"View document", "View copy", "View notes"};
    return titles;
}
std::span<const FormControl> DiversDocuments::controls() const { return kControls; }

void DiversDocuments::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("date", std::optional<Date>(context.now));
    form.assign("dateRenouvellement", std::optional<Date>(context.now));
}

FormState DiversDocuments::formState(const RegisterForm& form, Date /*now*/,
                                     const Localisation& /*texts*/) const {
    FormState state;
    // Disabled only: the date stays in the record for when renewal is asked again.
    if (form.integer("renouveler") != 1) state.disabled.insert("dateRenouvellement");
    return state;
}

std::string DiversDocuments::cellText(const Record& r, std::size_t field,
                                      const Localisation& texts) const {
    if (field == D::type) {
        const CodeLabel* label = DiversDocs::kinds().find(r.integer(field));
        return label ? labelText(*label, texts) : integerText(r.integer(field));
    }
    return RegisterSpec::cellText(r, field, texts);
}

void DiversDocuments::writeCard(const Record& r, RegisterCardWriter& card) const {
    const Localisation& texts = card.texts();
    const CodeLabel* kind = DiversDocs::kinds().find(r.integer(D::type));
    card.field("Kind", kind ? labelText(*kind, texts) : integerText(r.integer(D::type)));
    card.field("Title", r.textOr(D::titre));
    card.field("Issuer", r.textOr(D::emetteur));
    card.field("Date", cardDate(r.date(D::date)));
    const std::optional<Date>& renewal = r.date(D::dateRenouvellement);
    if (r.integer(D::renouveler) != 1) {
        card.field("Renewal date", texts.text("Main", "No"));
    } else if (renewal && renewal->seconds < card.now().seconds) {
        card.alert(card.text("Renewal date") + cardDate(renewal) + card.text("Overdue"));
    } else {
        card.field("Renewal date", cardDate(renewal));
    }
    card.field("Photocopy", texts.text("Main", r.image(D::photocopy) ? "Yes" : "No"));
    card.field("Notes", r.textOr(D::notes));
}

}  // namespace divelog
