#pragma once

#include "registers/Entreprises.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The firms directory: its form, the colours of ratings and of old update
// dates, and its synthesis card.
class AdressesEts : public RegisterSpec {
public:
    static const AdressesEts& instance();

    DocumentKind kind() const override { return DocumentKind::Entreprises; }
    const RecordSchema& schema() const override { return Entreprises::schema(); }
    std::string_view table() const override { return "Entreprises"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    bool blankKeepsSelection() const override { return true; }

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
