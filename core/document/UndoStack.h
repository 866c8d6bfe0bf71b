#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace divelog {

class Localisation;

// One user change to a document that can be taken back. A command is pushed
// already described but not yet applied; the stack applies it with redo().
// Commands keep only what they need to go the other way.
class UndoCommand {
public:
    virtual ~UndoCommand() = default;
    virtual void redo() = 0;
    virtual void undo() = 0;
    // The action's name as the Edit menu shows it after "Undo " ("Delete 3 Dives").
    virtual std::string name(const Localisation& texts) const = 0;
    // False for a change the user need not save (sorting the list).
    virtual bool marksChanged() const { return true; }
    // Bytes of records or values the command holds, for the history's footprint.
    virtual std::size_t heldBytes() const { return 0; }
};

// A document's history. It also tells whether the document differs from
// its saved state: undoing back to it clears the changed mark.
class UndoStack {
public:
    // The oldest steps are forgotten beyond this many, so a long session
    // cannot grow the history without bound.
    static constexpr std::size_t kMaxCommands = 2000;

    // Applies the command and records it; whatever could be redone is dropped.
    void push(std::unique_ptr<UndoCommand> command);
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < commands_.size(); }
    void undo();
    void redo();
    // The commands the next undo and redo would run; null when there is none.
    const UndoCommand* nextUndo() const;
    const UndoCommand* nextRedo() const;

    // Forgets everything; the present state counts as saved (opening, reverting).
    void clear();
    void setClean();
    // True when a change that marks the document lies between the saved state
    // and the present, or the saved state can no longer be reached.
    bool changedSinceClean() const;

    std::size_t count() const { return commands_.size(); }
    std::size_t heldBytes() const;

private:
    std::vector<std::unique_ptr<UndoCommand>> commands_;
    std::size_t index_ = 0;  // commands before it are applied
    std::optional<std::size_t> clean_ = 0;
};

}  // namespace divelog
