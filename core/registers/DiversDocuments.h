#pragma once

#include "registers/DiversDocs.h"
#include "registers/RegisterSpec.h"

namespace divelog {

// The miscellaneous documents: a diver's papers with their renewal dates and
// scanned copies; its card shows the papers due for renewal in red.
class DiversDocuments : public RegisterSpec {
public:
    static const DiversDocuments& instance();

    DocumentKind kind() const override { return DocumentKind::DiversDocuments; }
    const RecordSchema& schema() const override { return DiversDocs::schema(); }
    std::string_view table() const override { return "Documents"; }
    const RegisterNames& names() const override;
    int viewCount() const override { return 3; }
    std::span<const std::string_view> viewTitles() const override;
    std::span<const ColumnSpec> columns() const override;
    std::span<const FormControl> controls() const override;

    bool selectsLastAtLoad() const override { return true; }
    bool blankKeepsSelection() const override { return true; }

    void blank(RegisterForm& form, const BlankContext& context) const override;
    FormState formState(const RegisterForm& form, Date now,
                        const Localisation& texts) const override;

    std::string cellText(const Record& record, std::size_t field,
                         const Localisation& texts) const override;
    void writeCard(const Record& record, RegisterCardWriter& card) const override;
};

}  // namespace divelog
