#pragma once

#include "registers/Compresseur.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The compressor maintenance register: its form, analyses, cells and card.
class MaintComp : public RegisterSpec {
public:
    static const MaintComp& instance();

    DocumentKind kind() const override { return DocumentKind::Compresseur; }
    const RecordSchema& schema() const override { return Compresseur::schema(); }
    std::string_view table() const override { return "Compresseur"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    std::string_view oneKey() const override { return "One revision"; }
    std::string_view manyKey() const override { return "Revisions"; }

    void blank(RegisterForm& form, const BlankContext& context) const override;
    std::string formText(const Record& record, std::size_t field) const override;
    void readFormText(Record& record, std::size_t field, const std::string& text) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    CellStyle cellStyle(const Record& record, std::size_t field, Date now) const override;
    void writeCardHead(const RegisterDocument& document, RegisterCardWriter& card) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
    std::string_view cardSeparator() const override { return "\r--------------------\r"; }
    bool separatorAfter() const override { return true; }
};

}  // namespace divelog
