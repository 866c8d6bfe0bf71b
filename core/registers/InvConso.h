#pragma once

#include "registers/Consommables.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The consumables inventory: its form, stock colours and card.
class InvConso : public RegisterSpec {
public:
    static const InvConso& instance();

    DocumentKind kind() const override { return DocumentKind::Consommables; }
    const RecordSchema& schema() const override { return Consommables::schema(); }
    std::string_view table() const override { return "Consommables"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 2; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    void blank(RegisterForm& form, const BlankContext& context) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    CellStyle cellStyle(const Record& record, std::size_t field, Date now) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
};

}  // namespace divelog
