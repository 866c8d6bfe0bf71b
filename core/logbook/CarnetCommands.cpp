#include "logbook/CarnetCommands.h"

#include "localisation/Localisation.h"

namespace divelog {

namespace {
constexpr std::string_view kTable = "Main";
}  // namespace

SwapField::SwapField(Carnet& carnet, DiveId id, Plongee::Field field, Plongee::Value value)
    : carnet_(carnet), id_(id), field_(field), other_(std::move(value)) {}

void SwapField::swap() {
    if (auto row = carnet_.rowOf(id_)) CarnetEdit::swapField(carnet_, *row, field_, other_);
}

std::string SwapField::name(const Localisation& texts) const {
    return texts.text(kTable, "Edit Dive", "Edit Dive");
}

std::size_t SwapField::heldBytes() const { return Plongee::heldBytes(other_); }

SwapNumbers::SwapNumbers(Carnet& carnet, std::int32_t first) : carnet_(carnet), first_(first) {}

void SwapNumbers::redo() {
    if (done_) {
        CarnetEdit::swapNumbers(carnet_, numbers_);
        return;
    }
    numbers_ = CarnetEdit::renumber(carnet_, first_);
    done_ = true;
}

std::string SwapNumbers::name(const Localisation& texts) const {
    return texts.text(kTable, "Renumber Dives", "Renumber Dives");
}

}  // namespace divelog
