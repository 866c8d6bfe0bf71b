#include "registers/RegisterToolbars.h"

#include <algorithm>
#include <map>
#include <memory>

#include "registers/RegisterSpec.h"

namespace divelog {

namespace {

std::vector<ToolbarItem> itemsOf(const RegisterNames& n) {
    return {
        {"saveDocument", "Save", "Main", "enregistrer", "Tip save", "Main", false},
        {"imprimer", "Print", "Main", "imprimante", "Tip print", "Main", true},
        {n.newItem, "Add", "Main", n.addImage, "Tip add", "Main", false},
        {n.addItem, "Add", "Main", n.addImage, "Tip add", "Main", false},
        {n.insertItem, "Insert", "Main", n.insertImage, "Tip insert", "Main", true},
        {n.updateItem, "Update", "Main", n.updateImage, "Tip update", "Main", true},
        {n.deleteItem, "Delete", "Main", n.deleteImage, "Tip delete", "Main", true},
        {"synthese", "Synthesis card", "Main", "texte", "Tip synthesis card", "Main", true},
        {"blankFields", "Erase", "Main", "raz", "Tip erase", "Main", false},
    };
}

ToolbarLayout make(const RegisterNames& n, bool edit) {
    ToolbarLayout l;
    auto id = [](std::string_view s) { return std::string(s); };
    std::vector<std::string> order;
    if (edit) {
        l.identifier = id(n.editToolbar);
        order = {id(n.addItem), id(n.insertItem), id(n.updateItem), "blankFields", "synthese"};
        if (n.saveInEditToolbar != RegisterNames::SaveInEdit::No)
            order.insert(order.begin(), "saveDocument");
    } else {
        l.identifier = id(n.listToolbar);
        order = {"saveDocument", "imprimer",       "separator",
                 id(n.newItem),  id(n.deleteItem), "synthese"};
    }
    for (const ToolbarItem& item : itemsOf(n))
        if (std::find(order.begin(), order.end(), item.identifier) != order.end())
            l.items.push_back(item);
    for (auto standard : {"separator", "customize", "flexibleSpace"}) order.push_back(standard);
    l.allowed = order;
    l.defaults = order;
    return l;
}

const ToolbarLayout& cached(const RegisterSpec& spec, bool edit) {
    static std::map<std::pair<const RegisterSpec*, bool>, std::unique_ptr<ToolbarLayout>> layouts;
    auto& slot = layouts[{&spec, edit}];
    if (!slot) slot = std::make_unique<ToolbarLayout>(make(spec.names(), edit));
    return *slot;
}

}  // namespace

const ToolbarLayout& RegisterToolbars::list(const RegisterSpec& spec) {
    return cached(spec, false);
}
const ToolbarLayout& RegisterToolbars::edit(const RegisterSpec& spec) { return cached(spec, true); }

}  // namespace divelog
