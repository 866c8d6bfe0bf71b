#include "document/UndoStack.h"

#include <algorithm>

namespace divelog {

void UndoStack::push(std::unique_ptr<UndoCommand> command) {
    command->redo();
    if (clean_ && *clean_ > index_) clean_.reset();  // the saved state was in the dropped branch
    commands_.resize(index_);
    commands_.push_back(std::move(command));
    ++index_;
    if (commands_.size() > kMaxCommands) {
        commands_.erase(commands_.begin());
        --index_;
        // A saved state before the first step kept can no longer be reached.
        if (clean_) clean_ = *clean_ == 0 ? std::nullopt : std::optional(*clean_ - 1);
    }
}

void UndoStack::undo() {
    if (!canUndo()) return;
    commands_[--index_]->undo();
}

void UndoStack::redo() {
    if (!canRedo()) return;
    commands_[index_++]->redo();
}

const UndoCommand* UndoStack::nextUndo() const {
    return canUndo() ? commands_[index_ - 1].get() : nullptr;
}

const UndoCommand* UndoStack::nextRedo() const {
    return canRedo() ? commands_[index_].get() : nullptr;
}

void UndoStack::clear() {
    commands_.clear();
    index_ = 0;
    clean_ = 0;
}

void UndoStack::setClean() { clean_ = index_; }

bool UndoStack::changedSinceClean() const {
    if (!clean_) return true;
    const std::size_t from = std::min(*clean_, index_), to = std::max(*clean_, index_);
    return std::any_of(commands_.begin() + static_cast<std::ptrdiff_t>(from),
                       commands_.begin() + static_cast<std::ptrdiff_t>(to),
                       [](const auto& c) { return c->marksChanged(); });
}

std::size_t UndoStack::heldBytes() const {
    std::size_t n = 0;
    for (const auto& c : commands_) n += c->heldBytes();
    return n;
}

}  // namespace divelog
