#pragma once

#include "document/Document.h"

namespace divelog {

// A side register whose records this version does not know yet: an empty
// list that saves and reopens as such, and refuses files that hold records
// it cannot read.
class UnbuiltRegister : public Document {
public:
    explicit UnbuiltRegister(DocumentKind kind) : Document(kind) {}

    std::size_t recordCount() const override { return 0; }
    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

protected:
    std::vector<std::uint8_t> encodeRecords() const override;
};

}  // namespace divelog
