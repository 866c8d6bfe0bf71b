#pragma once

#include "registers/Rebreather.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The rebreather service log: its form, checklist cells and card.
class RebreatherServ : public RegisterSpec {
public:
    static const RebreatherServ& instance();

    DocumentKind kind() const override { return DocumentKind::Rebreather; }
    const RecordSchema& schema() const override { return Rebreather::schema(); }
    // Shared with the rebreather calculators, whose keys are their own.
    std::string_view table() const override { return "Rebreather"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    std::string_view oneKey() const override { return "One intervention"; }
    std::string_view manyKey() const override { return "Interventions"; }
    bool selectsLastAtLoad() const override { return true; }

    void blank(RegisterForm& form, const BlankContext& context) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    CellStyle cellStyle(const Record& record, std::size_t field, Date now) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
    std::string_view cardSeparator() const override { return "\r--------------------\r"; }
    bool separatorAfter() const override { return true; }
};

}  // namespace divelog
