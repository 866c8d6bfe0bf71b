#pragma once

#include "registers/Budget.h"
#include "registers/RegisterSpec.h"

namespace divelog {

class RegisterForm;

// The budget forecast: its form with the running total and the prices per
// card unit, table rules and synthesis card.
class PreviBudget : public RegisterSpec {
public:
    static const PreviBudget& instance();

    DocumentKind kind() const override { return DocumentKind::Budget; }
    const RecordSchema& schema() const override { return Budget::schema(); }
    std::string_view table() const override { return "Budget"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    void blank(RegisterForm& form, const BlankContext& context) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;
    std::string readoutSample(std::string_view readout, const Localisation& texts) const override;
    std::optional<std::vector<Record>> importOlder(std::span<const std::uint8_t> bytes,
                                                   std::string& error) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    CellStyle cellStyle(const Record& record, std::size_t field, Date now) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
    std::string_view fileLineFormat() const override { return "\r\rFile dir : %@"; }

    // The form's figures: the total of the base service and the four
    // supplements, and a card's price per unit (none below one unit).
    static double total(const RegisterForm& form);
    static std::optional<double> pricePerUnit(const RegisterForm& form, int card);
};

}  // namespace divelog
