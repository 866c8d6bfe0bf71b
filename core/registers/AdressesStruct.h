#pragma once

#include "registers/RegisterSpec.h"
#include "registers/Structures.h"

namespace divelog {

// The structures directory: its form with prices and opening hours, table
// rules and synthesis card.
class AdressesStruct : public RegisterSpec {
public:
    static const AdressesStruct& instance();

    DocumentKind kind() const override { return DocumentKind::Structures; }
    const RecordSchema& schema() const override { return Structures::schema(); }
    std::string_view table() const override { return "Structures"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 4; }
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
    std::string_view cardSeparator() const override { return "\r------------------------------\r"; }
};

}  // namespace divelog
