#include "registers/UnbuiltRegister.h"

#include "archive/BinaryArchive.h"

namespace divelog {

bool UnbuiltRegister::loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                               std::string& error) {
    if (type != info().id) {
        error = "This register cannot be opened as \"" + std::string(type) + "\".";
        return false;
    }
    RecordListDecoder decoder(bytes);
    if (!decoder.open(info().id)) {
        error = decoder.error();
        return false;
    }
    if (decoder.count() != 0) {
        error = "This version cannot read the records of this register.";
        return false;
    }
    if (!decoder.finish()) {
        error = decoder.error();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> UnbuiltRegister::encodeRecords() const {
    RecordListEncoder encoder(info().id, {}, 0);
    return encoder.finish();
}

}  // namespace divelog
