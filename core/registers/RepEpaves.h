#pragma once

#include "registers/Epaves.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The wreck directory: its form, table rules and synthesis card.
class RepEpaves : public RegisterSpec {
public:
    static const RepEpaves& instance();

    DocumentKind kind() const override { return DocumentKind::Epaves; }
    const RecordSchema& schema() const override { return Epaves::schema(); }
    std::string_view table() const override { return "Epaves"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 5; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    std::string_view cardTitleKey() const override { return "Wrecks"; }
    bool selectsLastAtLoad() const override { return true; }
    bool blankKeepsSelection() const override { return true; }

    void blank(RegisterForm& form, const BlankContext& context) const override;
    std::string formText(const Record& record, std::size_t field) const override;
    void readFormText(Record& record, std::size_t field, const std::string& text) const override;
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
