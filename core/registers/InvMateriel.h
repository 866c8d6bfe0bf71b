#pragma once

#include "registers/Materiel.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The equipment inventory: its form, inspection gauge, table rules and card.
class InvMateriel : public RegisterSpec {
public:
    static const InvMateriel& instance();

    DocumentKind kind() const override { return DocumentKind::Materiel; }
    const RecordSchema& schema() const override { return Materiel::schema(); }
    std::string_view table() const override { return "Materiel"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    void blank(RegisterForm& form, const BlankContext& context) const override;
    void applyRules(RegisterForm& form, Date now) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    CellStyle cellStyle(const Record& record, std::size_t field, Date now) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
};

}  // namespace divelog
